"""One session of the browser's game in headless Chromium (tools/web/browser.py):
the menu, M, a level walked and thrown in, the pause menu (by Escape and by
a hidden tab), the level won, a game ended in the name entry, and the entry
and the silence kept over a reload; not one error on the console. Usage: session.py SITE_DIR."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "web"))
import browser  # noqa: E402

MENU = [(255, 95, 200, 45), (227, 145, 250, 45), (248, 195, 200, 45), (285, 245, 100, 45)]
PAUSE = [(235, 95, 250, 45), (249, 145, 220, 45), (261, 195, 180, 45)]
LONG = 3000  # frames: more than any wait here needs


def item(boxes, chosen):
    """The chosen item of a menu white, the next one grey."""
    white, grey = boxes[chosen], boxes[(chosen + 1) % len(boxes)]
    return "countColour(255,255,255,%d,%d,%d,%d) >= 30 && " % white + \
        "countColour(128,128,128,%d,%d,%d,%d) >= 30" % grey


def looks_like(picture, share=0.4):
    return "differs('%s', 0, 0, 640, 480).count < %d" % (picture, 640 * 480 * share)


MUTED = "SDL.channels.every(channel => channel.volume == 0)"
ON_PLAY = looks_like("gameback.png") + " && !(" + item(MENU, 1) + ")"


def check(page, condition, what):
    if not page.wait_for(condition, LONG):
        sys.exit("FAIL: %s (%s)" % (what, condition))


def row_of(name):
    """The table's row of name, from high.txt as the page holds it: shows there."""
    return "(k => k >= 0 && showsText('%s', 32, 180, 50 + 35 * (9 - k)))" \
        "(FS.readFile('high.txt', {encoding: 'utf8'}).split('\\n')" \
        ".findIndex(line => line.startsWith('%s:')))" % (name, name)


def win_level_one(page):
    page.key("right", True)
    check(page, "showsText('Level Over', 24, 280, 5)", "walking right wins level 1")
    page.key("right", False)


def enter_name(page, name):
    """From level 1's tally to the name entry, by Exit to Menu in level 2."""
    page.press("space")
    check(page, ON_PLAY, "Space: level 2")
    page.press("escape", "down", "return")
    check(page, "showsText('Enter Your Name', 32, 235, 60)",
          "Exit to Menu: the score enters the table")
    page.press(*name.lower(), "return")
    check(page, "showsText('High Scores', 32, 262, 10)", "the name stored: the table")


def new_game(page):
    check(page, item(MENU, 0), "the menu: New Game white, Enter Password grey")
    page.press("return")
    check(page, looks_like("start.png"), "Return: the start screen")
    page.press("space")
    check(page, ON_PLAY, "Space: level 1")


def no_problems(page):
    if page.problems:
        sys.exit("FAIL: the console had errors:\n" + "\n".join(page.problems))


def main(site):
    chromium = browser.Browser(site)
    try:
        page = chromium.open()
        check(page, item(MENU, 0), "the menu: New Game white, Enter Password grey")
        page.press("down")
        check(page, item(MENU, 1), "Down chooses the next item")
        page.press("up", "m")
        check(page, MUTED, "M silences every channel")
        new_game(page)

        page.mouse("mouseMoved", 320, 479)  # aim low, off his row
        page.wait_frames(2)
        # Level 1: he stands on the ground of the second row, y 100 to 144.
        hero_x = "differs('gameback.png', 0, 100, 640, 40).middle"
        start = page.eval(hero_x)
        page.key("right", True)
        page.wait_frames(20)
        page.key("right", False)
        check(page, "%s > %f + 10" % (hero_x, start), "held Right walks him right")

        hud = "differs('gameback.png', 560, 0, 80, 30).count"
        in_hand = page.eval(hud)
        page.click(320, 479)
        check(page, "%s < %d" % (hud, in_hand), "a click throws one of his two balls")

        page.press("escape")
        check(page, item(PAUSE, 0), "Escape: the pause menu")
        page.press("return")
        check(page, ON_PLAY, "Return to Game")
        page.eval("Object.defineProperty(document, 'hidden', {value: true, configurable: true});"
                  "document.dispatchEvent(new Event('visibilitychange')); delete document.hidden")
        check(page, item(PAUSE, 0), "a hidden tab pauses the level")
        page.press("return")
        check(page, ON_PLAY, "Return to Game")

        win_level_one(page)
        enter_name(page, "ABC")
        check(page, row_of("ABC"), "ABC in its row of the table")

        page.reload()
        check(page, item(MENU, 0), "the menu after a reload")
        check(page, MUTED, "the sound stays off after a reload")
        page.press("down", "down", "return")
        check(page, row_of("ABC"), "ABC still in the table after a reload")
        no_problems(page)
        print("1 passed, 0 failed")
    finally:
        chromium.close()


if __name__ == "__main__":
    main(sys.argv[1])
