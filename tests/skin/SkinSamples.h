#pragma once
// Generated sample data for the skin tests and benchmarks.
#include <cstdint>
#include <random>
#include <string>

// Words, spaces, punctuation and line breaks with a skewed word choice, like prose or an
// INI description: what skins and texts look like to the compressor.
inline std::string TextLike(size_t Size, unsigned Seed)
{
    static const char* const Words[] = {
        "the", "of", "and", "a", "to", "in", "is", "you", "that", "it", "he", "was", "for", "on",
        "are", "as", "with", "his", "they", "at", "be", "this", "have", "from", "or", "one",
        "had", "by", "word", "but", "not", "what", "all", "were", "we", "when", "your", "can",
        "said", "there", "use", "an", "each", "which", "she", "do", "how", "their", "if",
        "will", "up", "other", "about", "out", "many", "then", "them", "these", "so", "some",
        "her", "would", "make", "like", "him", "into", "time", "has", "look", "two", "more",
        "write", "go", "see", "number", "no", "way", "could", "people", "my", "than", "first",
        "water", "been", "call", "who", "oil", "its", "now", "find", "long", "down", "day",
        "did", "get", "come", "made", "may", "part", "recipe", "ginger", "garlic", "simmer",
        "steam", "noodles", "pork", "tofu", "sauce", "minutes", "until", "golden", "slice"};
    constexpr size_t WordCount = sizeof(Words) / sizeof(Words[0]);
    std::mt19937 Rng(Seed);
    std::string Out;
    Out.reserve(Size + 16);
    while (Out.size() < Size) {
        // Square of a uniform pick: common words come up far more often.
        const double U = double(Rng()) / double(Rng.max());
        Out += Words[size_t(U * U * double(WordCount - 1))];
        const unsigned R = Rng() % 20;
        Out += R == 0 ? ".\r\n" : R == 1 ? ", " : " ";
    }
    Out.resize(Size);
    return Out;
}
