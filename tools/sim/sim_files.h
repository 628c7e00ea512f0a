// What graze-sim reads and writes, checked before the first frame: a file it
// reads must be a regular file of bounded size (never a folder, a FIFO or a
// device it would wait on or read without end); a file or folder it writes is
// opened or created up front, and every write error, a full disk at the end
// included, is caught.
#pragma once

#include <cstddef>
#include <fstream>
#include <string>

// The largest input script read (a whole game's key log is about 100 kB).
constexpr std::size_t script_size_limit = 64u * 1024 * 1024;

// Reads the whole of a regular file of at most `limit` bytes into `text`,
// without ever waiting on what the path names. False with the reason.
bool read_regular_file(const std::string& path, std::size_t limit, std::string& text,
                       std::string& reason);

// Reads the standard input to its end, at most `limit` bytes. False with the
// reason.
bool read_standard_input(std::size_t limit, std::string& text, std::string& reason);

// A file written as the run goes or at its end.
struct output_file {
    std::string path;
    std::ofstream stream;
};

// Creates (or empties) the file now. A FIFO without a reader is refused
// instead of waited on; a missing folder, a folder in its place or a refusal
// of the system gives its reason.
bool open_output(output_file& file, const std::string& path, std::string& reason);

// Flushes and closes the file; false with the reason if any write failed.
bool close_output(output_file& file, std::string& reason);

// Creates the folder (and its parents) if needed and checks that a file can
// be created in it. On success `folder` holds an open descriptor of it, so
// frames land there whatever the working folder becomes. False with the
// reason.
bool open_output_folder(const std::string& path, int& folder, std::string& reason);
