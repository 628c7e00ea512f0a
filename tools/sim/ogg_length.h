// The length of an Ogg Vorbis track, read from its headers and its last page,
// so simulated music plays exactly as long as the real file.
#pragma once

#include <string>

// Milliseconds, or -1 when the file is not a readable Ogg Vorbis stream.
long ogg_length_ms(const std::string& path);
