#pragma once
// A file I/O procedure for the system's multimedia file functions (mmio), through which the
// AVIFile writer writes an exported clip. The writer seeks to every chunk it writes and the
// multimedia functions write through an 8 KB buffer, so each frame costs several system calls;
// this procedure gathers the writes in a buffer of some megabytes, patches the chunk sizes that
// the writer writes back within it, and writes the buffer out in one piece when the writing
// goes elsewhere or the file is closed.
//
// A file goes through it when the name given to the multimedia functions ends in the
// procedure's extension and a '+' ("clip.avi.part+" for the file "clip.avi.part").
#include <windows.h>

#include <string>

class MmioWriteBuffer {
public:
    static constexpr size_t buffer_bytes = 4 * 1024 * 1024;

    // Installs the procedure for this process (once) and returns the name under which the
    // multimedia functions write `path` through it; `path` must end in ".part".
    static std::wstring routed_name(const std::wstring& path);

    // Whether every write and the final flush of the files closed so far succeeded. Reset by
    // routed_name().
    static bool all_written();
};
