"""The player's files in the browser's storage: two tabs of the game each
store an entry and neither is lost, though the second was opened before
the first wrote, with Web Locks and without them (a page of no secure
origin); and where the storage refuses, high.txt reads as missing (an empty
table) and the game plays on. Usage: storage.py SITE_DIR."""

import sys

from session import MENU, browser, check, enter_name, item, new_game, no_problems, \
    row_of, win_level_one

REFUSING = "window.indexedDB.open = () => { throw new DOMException('refused', 'SecurityError'); };"
NO_WEB_LOCKS = "delete Navigator.prototype.locks;"


def two_tabs(site, before=None):
    chromium = browser.Browser(site)
    try:
        early, late = chromium.open(before=before), chromium.open(before=before)
        check(early, item(MENU, 0), "the first tab's menu")
        new_game(late)
        win_level_one(late)
        enter_name(late, "LAT")
        new_game(early)
        win_level_one(early)
        enter_name(early, "EAR")
        check(early, row_of("EAR") + " && " + row_of("LAT"), "both tabs' entries in the table")
        no_problems(early)
        no_problems(late)
    finally:
        chromium.close()


def main(site):
    two_tabs(site)
    two_tabs(site, before=NO_WEB_LOCKS)
    chromium = browser.Browser(site)
    try:
        page = chromium.open(before=REFUSING)
        check(page, item(MENU, 0), "the menu without storage")
        page.press("down", "down", "return")
        check(page, "showsText('High Scores', 32, 262, 10)", "the table without storage")
        if page.wait_for("showsText('RIP', 32, 180, 50)", 10):
            sys.exit("FAIL: a refusing storage still shows the game's own table")
        page.press("space", "m")
        check(page, "SDL.channels.every(channel => channel.volume == 0)", "M without storage")
        no_problems(page)
    finally:
        chromium.close()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main(sys.argv[1])
