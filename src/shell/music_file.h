// Music tracks are opened the way the mixer opens them before any window
// opens, so a track the mixer could not play stops the start at once, by its
// path, instead of after the window and every picture.
#pragma once

// Null when the track's Vorbis stream opens (its three headers whole, its
// length found), or the reason it does not. Safe on several threads at once.
const char* music_file_fault(const char* path);
