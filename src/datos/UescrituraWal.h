#pragma once

// Hands each SQLite transaction's write-ahead log frames to the file system in one write instead
// of two a page (the frame's header, then the page): the kernel's cost of a write is mostly per
// call, and a posting commits a dozen pages or more. Frames are held only until the frame that
// commits the transaction is written, which is before SQLite tells any reader the transaction
// exists; any other use of the log file writes out what is held first. Installed as the
// process's default SQLite file layer, over the one SQLite had, before the first file is opened.
namespace escrituraWal {
void instala();
}
