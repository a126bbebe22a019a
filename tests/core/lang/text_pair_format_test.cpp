// The two halves of a text pair are handed to the same printf-style call with the same arguments,
// whichever language is on; a Russian half with "%s %d" and an English one with "%d %s" would read
// an int as a pointer. So every pair written anywhere in the sources is checked: the same printf
// conversions in the same order, and the same numbered %1..%9 places (in any order, since those are
// filled by name).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Token {
  enum Kind { Text, Open, Close, Comma, Other } kind;
  std::string text;  // the literal's contents, for Text
};

// Skips a string or character literal starting at the quote at i; returns its contents with the
// common escapes resolved.
std::string readQuoted(const std::string& src, std::size_t& i) {
  const char quote = src[i++];
  std::string out;
  while (i < src.size() && src[i] != quote) {
    if (src[i] == '\\' && i + 1 < src.size()) {
      const char escaped = src[i + 1];
      out += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
      i += 2;
      continue;
    }
    out += src[i++];
  }
  ++i;
  return out;
}

// A rough C++ lexer: enough to see brace groups made of string literals, with comments, character
// literals and everything else passed over.
std::vector<Token> lex(const std::string& src) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < src.size()) {
    const char c = src[i];
    if (src.compare(i, 2, "//") == 0) {
      i = src.find('\n', i);
      i = i == std::string::npos ? src.size() : i;
    } else if (src.compare(i, 2, "/*") == 0) {
      i = src.find("*/", i + 2);
      i = i == std::string::npos ? src.size() : i + 2;
    } else if (c == '"') {
      std::string text = readQuoted(src, i);
      if (!tokens.empty() && tokens.back().kind == Token::Text) {
        tokens.back().text += text;  // adjacent literals are one string
      } else {
        tokens.push_back({Token::Text, std::move(text)});
      }
    } else if (c == '\'') {
      readQuoted(src, i);
      tokens.push_back({Token::Other, {}});
    } else if (std::isspace(static_cast<unsigned char>(c)) != 0) {
      ++i;
    } else {
      const Token::Kind kind = c == '{'   ? Token::Open
                               : c == '}' ? Token::Close
                               : c == ',' ? Token::Comma
                                          : Token::Other;
      // u8"..." and the like: the prefix is part of the literal, not a token between literals.
      const bool prefix = (c == 'u' || c == 'U' || c == 'L') && i + 1 < src.size() &&
                          (src[i + 1] == '"' || src.compare(i + 1, 2, "8\"") == 0);
      if (prefix) {
        i += src[i + 1] == '8' ? 2 : 1;
        continue;
      }
      tokens.push_back({kind, {}});
      ++i;
    }
  }
  return tokens;
}

struct Pair {
  std::string first;
  std::string second;
};

// Every "{ text, text }": a text pair, whether written as TextPair{...} or inside a table row.
std::vector<Pair> findPairs(const std::string& src) {
  const std::vector<Token> t = lex(src);
  std::vector<Pair> pairs;
  for (std::size_t i = 0; i + 4 < t.size(); ++i) {
    if (t[i].kind == Token::Open && t[i + 1].kind == Token::Text && t[i + 2].kind == Token::Comma &&
        t[i + 3].kind == Token::Text && t[i + 4].kind == Token::Close) {
      pairs.push_back({t[i + 1].text, t[i + 3].text});
    }
  }
  return pairs;
}

struct Placeholders {
  std::vector<std::string> printfOrder;  // "%d", "%02X", ... in order
  std::vector<std::string> numbered;     // "%1", "%2", ... sorted
  bool operator==(const Placeholders&) const = default;
};

void PrintTo(const Placeholders& found, std::ostream* out) {
  for (const std::string& p : found.printfOrder)
    *out << p << ' ';
  *out << "| ";
  for (const std::string& p : found.numbered)
    *out << p << ' ';
}

Placeholders placeholders(const std::string& text) {
  static const std::string kConversions = "diouxXeEfFgGaAcsp";
  Placeholders found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < text.size() && std::string("-+ #0").find(text[j]) != std::string::npos)
      ++j;
    const std::size_t widthStart = j;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) != 0)
      ++j;
    const bool bareNumber = widthStart == i + 1 && j > widthStart;
    if (j < text.size() && text[j] == '.') {
      ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) != 0)
        ++j;
    }
    while (j < text.size() && std::string("hlLzjt").find(text[j]) != std::string::npos)
      ++j;
    if (j < text.size() && kConversions.find(text[j]) != std::string::npos) {
      found.printfOrder.push_back(text.substr(i, j - i + 1));
      i = j;
    } else if (bareNumber) {
      found.numbered.push_back(text.substr(i, widthStart + 1 - i));
    } else {
      found.printfOrder.push_back("%?");  // a lone % reads an argument too
    }
  }
  std::sort(found.numbered.begin(), found.numbered.end());
  return found;
}

// Pairs whose halves are knowingly different: each is formatted per language by its caller, or
// never formatted at all.
struct KnownDifference {
  std::string_view english;
  std::string_view why;
};
constexpr KnownDifference kKnownDifferences[] = {
    {"Error reading from device \"%s\"\n%s", "the English text also names the controller"},
    {"Error writing to the device \"%s\"\n%s", "the English text also names the controller"},
    {"Calibration points 10% in from the screen edges", "a check box's caption, never formatted"},
};

bool isKnownDifference(const Pair& pair) {
  return std::any_of(std::begin(kKnownDifferences), std::end(kKnownDifferences),
                     [&](const KnownDifference& known) { return known.english == pair.second; });
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(TextPairFormat, TheScannerFindsPairsAndTellsMismatchedPlaceholders) {
  const auto pairs = findPairs(R"cpp(
    // {"not", "this"}
    constexpr TextPair kA{"Установить %d", "Set %d"};
    constexpr LanguageRow kRow{"Key",
                               {"Ошибка "
                                "%s",
                                u8"Failed %s"}};
    call({"%s из %d", "%d of %s"}, '}');
    QString mix{"%2 из %1", "%1 of %2"};
    const char* notAPair[] = {"a", "b", "c"};
  )cpp");
  ASSERT_EQ(pairs.size(), 4u);
  EXPECT_EQ(pairs[1].first, "Ошибка %s");
  EXPECT_EQ(placeholders(pairs[0].first), placeholders(pairs[0].second));
  EXPECT_EQ(placeholders(pairs[1].first), placeholders(pairs[1].second));
  EXPECT_FALSE(placeholders(pairs[2].first) == placeholders(pairs[2].second));
  EXPECT_EQ(placeholders(pairs[3].first), placeholders(pairs[3].second));
  EXPECT_FALSE(placeholders("100 %") == placeholders("100 %%"));
  EXPECT_FALSE(placeholders("%02X") == placeholders("%2X"));
  EXPECT_EQ(placeholders("%%d"), placeholders("no argument"));
}

TEST(TextPairFormat, BothHalvesOfEveryPairInTheSourcesTakeTheSameArguments) {
  const std::filesystem::path root = KIVPRISM_SOURCE_DIR;
  if (!std::filesystem::exists(root)) {
    GTEST_SKIP() << "the sources are not reachable from here: " << root;
  }
  std::size_t seen = 0;
  std::size_t withPlaceholders = 0;
  std::size_t known = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const auto extension = entry.path().extension();
    if (extension != ".cpp" && extension != ".hpp") {
      continue;
    }
    for (const Pair& pair : findPairs(readFile(entry.path()))) {
      ++seen;
      const Placeholders first = placeholders(pair.first);
      if (!first.printfOrder.empty() || !first.numbered.empty()) {
        ++withPlaceholders;
      }
      if (isKnownDifference(pair)) {
        ++known;
        continue;
      }
      EXPECT_EQ(first, placeholders(pair.second))
          << entry.path().string() << ": \"" << pair.first << "\" / \"" << pair.second << "\"";
    }
  }
  // A scanner that silently finds nothing would pass everything.
  EXPECT_GT(seen, 1500u);
  EXPECT_GT(withPlaceholders, 20u);
  // An exception whose text has gone from the sources must go from the list too.
  EXPECT_GE(known, std::size(kKnownDifferences));
}

}  // namespace
