// The one way the game tells its user why it stops: a single line on
// standard error, "PREFIX: message". The prefix is the program's name,
// "Graze" unless a tool that runs the game's code (graze-sim) sets its own, so
// every line a program prints starts with its own name.
#pragma once

// Every later line starts with this name (kept by pointer: a string literal).
void set_report_prefix(const char* prefix);

// Prints "PREFIX: " and the formatted message, and ends the line.
void report_line(const char* format, ...) __attribute__((format(printf, 1, 2)));
