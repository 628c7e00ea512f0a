// How graze-sim shows what it was given in a message: a word cut to a few
// dozen characters, and nothing that could play on the terminal or is not
// UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most characters of a quoted word a message shows.
constexpr std::size_t shown_word_length = 40;

// The word cut after `most` characters (a UTF-8 sequence is one, any other
// byte one too) with "..." after it, or the whole word if it is no longer.
std::string cut_word(std::string_view word, std::size_t most = shown_word_length);

// The text with every control byte (a NUL included, and the C1 controls of
// UTF-8) and every byte that is not part of a UTF-8 character shown as \xNN,
// so a message shows all it was given and nothing can play on the terminal.
std::string escaped(std::string_view text);
