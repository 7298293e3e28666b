#pragma once

#include <string>

// Data names are Windows paths ("gdat\ball.png"); they stay so in every
// table and are mapped to '/' only when a file is opened.
std::string HostPath(const std::string& name);

// Removes one trailing carriage return, left by a CRLF line ending.
void StripCarriageReturn(std::string& line);
