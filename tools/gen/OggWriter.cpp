#include "gen/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace {

bool WritePage(std::FILE* file, const ogg_page& page) {
    return std::fwrite(page.header, 1, page.header_len, file) ==
               static_cast<size_t>(page.header_len) &&
           std::fwrite(page.body, 1, page.body_len, file) == static_cast<size_t>(page.body_len);
}

}  // namespace

bool OggWriter::Write(const std::string& path, const std::vector<float>& left,
                      const std::vector<float>& right, float quality) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, kRate, quality) != 0) {
        vorbis_info_clear(&info);
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "quonkle-gen");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    // A fixed serial number keeps the output the same from build to build.
    ogg_stream_init(&stream, 0x51754F6E);

    bool ok = true;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        ok = ok && WritePage(file, page);
    }

    const size_t total = left.size();
    size_t done = 0;
    bool endOfStream = false;
    while (!endOfStream) {
        const size_t chunk = std::min<size_t>(1024, total - done);
        if (chunk == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(chunk));
            for (size_t i = 0; i < chunk; ++i) {
                buffer[0][i] = left[done + i];
                buffer[1][i] = right[done + i];
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(chunk));
            done += chunk;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (!endOfStream && ogg_stream_pageout(&stream, &page) != 0) {
                    ok = ok && WritePage(file, page);
                    endOfStream = ogg_page_eos(&page) != 0;
                }
            }
        }
        if (chunk == 0 && !endOfStream) {
            // Everything is flushed once the end-of-stream page is out.
            while (ogg_stream_flush(&stream, &page) != 0) {
                ok = ok && WritePage(file, page);
                endOfStream = endOfStream || ogg_page_eos(&page) != 0;
            }
            endOfStream = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(file) == 0 && ok;
}
