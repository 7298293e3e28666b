// The player's files in the browser: the working folder is emscripten's
// memory file system, gone with the page, so each file is kept as one
// record of IndexedDB (under the page's own folder, so that two copies of
// the game on one site keep their own) and copied in before it is read and
// out after it was written; a write waits until the record is on disk. The
// tabs of one browser share the records, and a Web Lock makes their
// read-change-write turns one after the other; a page without Web Locks
// (no secure origin) takes turns through a lock record of its own instead,
// set in one IndexedDB transaction (the database runs those one at a time)
// and good for a few seconds, so that a tab closed in its turn holds no
// one up for long. A storage that refuses leaves no file.
#include "engine/PlayerFiles.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, OpenPlayerStore, (), {
    if (Module.playerStore) return;
    const path = location.pathname;
    const folder = path.substring(0, path.lastIndexOf("/") + 1);
    const opened = new Promise((resolve, reject) => {
        const request = indexedDB.open('quonkle', 1);
        request.onupgradeneeded = () => request.result.createObjectStore('files');
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
    opened.catch(() => {});
    Module.playerStore = {
        key: name => folder + name,
        // Runs one request on the store; resolves with its result when the
        // transaction is on disk.
        run: async (mode, use) => {
            const db = await opened;
            return new Promise((resolve, reject) => {
                const done = db.transaction('files', mode, {durability: 'strict'});
                const request = use(done.objectStore('files'));
                done.oncomplete = () => resolve(request.result);
                done.onerror = done.onabort = () => reject(done.error);
            });
        },
    };
});
// clang-format on

// clang-format off
EM_ASYNC_JS(void, FetchFromStore, (const char* cName), {
    const name = UTF8ToString(cName);
    const store = Module.playerStore;
    try {
        const stored = await store.run('readonly', files => files.get(store.key(name)));
        // Nothing stored yet: the file the game came with stands.
        if (stored !== undefined) FS.writeFile(name, stored);
    } catch (e) {
        try { FS.unlink(name); } catch (missing) {}
    }
});
// clang-format on

// clang-format off
EM_ASYNC_JS(int, StoreInStore, (const char* cName), {
    const name = UTF8ToString(cName);
    const store = Module.playerStore;
    try {
        const contents = FS.readFile(name);
        await store.run('readwrite', files => files.put(contents, store.key(name)));
        return 1;
    } catch (e) {
        return 0;
    }
});
// clang-format on

// Resolves true once the lock is held (it is then held until let go),
// false after two seconds of another tab's turn.
// clang-format off
EM_ASYNC_JS(int, TakeLock, (), {
    if (!navigator.locks) {
        const store = Module.playerStore;
        const key = store.key("lock");
        const mine = Math.random() + "@" + Date.now();
        for (const giveUp = Date.now() + 2000; Date.now() < giveUp;) {
            try {
                const won = await store.run('readwrite', files => {
                    const seen = files.get(key);
                    seen.onsuccess = () => {
                        const lease = seen.result;
                        if (!lease || lease.until < Date.now()) {
                            files.put({owner: mine, until: Date.now() + 5000}, key);
                        }
                    };
                    return seen;
                }).then(() => store.run('readonly', files => files.get(key)));
                if (won && won.owner === mine) {
                    Module.releasePlayerLock = () => store.run('readwrite', files => {
                        const seen = files.get(key);
                        seen.onsuccess = () => {
                            if (seen.result && seen.result.owner === mine) files.delete(key);
                        };
                        return seen;
                    }).catch(() => {});
                    return 1;
                }
            } catch (e) {
                return 1;  // no storage: nothing to guard
            }
            await new Promise(wait => setTimeout(wait, 10));
        }
        return 0;
    }
    const controller = new AbortController();
    const timer = setTimeout(() => controller.abort(), 2000);
    return new Promise(resolve => {
        navigator.locks.request(Module.playerStore.key("lock"), {signal: controller.signal}, () => {
            clearTimeout(timer);
            resolve(1);
            return new Promise(release => Module.releasePlayerLock = release);
        }).catch(() => resolve(0));
    });
});
// clang-format on

// clang-format off
EM_JS(void, LetGoOfLock, (), {
    if (Module.releasePlayerLock) Module.releasePlayerLock();
    Module.releasePlayerLock = null;
});
// clang-format on

}  // namespace

void FetchPlayerFile(const char* name) {
    OpenPlayerStore();
    FetchFromStore(name);
}

bool StorePlayerFile(const char* name) {
    OpenPlayerStore();
    return StoreInStore(name) != 0;
}

PlayerFilesLock::PlayerFilesLock() : held((OpenPlayerStore(), TakeLock() != 0)) {}

PlayerFilesLock::~PlayerFilesLock() {
    if (held) {
        LetGoOfLock();
    }
}
