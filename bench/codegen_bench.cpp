// The generated C++ parser of an expression grammar against a hand-written recursive-descent
// parser of the same language, over one generated text of several tens of megabytes; and the
// generated parser against the same parser with its nesting limit taken out.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

bool benchexpr(char* sourceStr, char** errorMsg);
bool benchfree(char* sourceStr, char** errorMsg);

namespace {

// The reference: plain recursive descent with loops for the operator lists.
struct Reference {
  const unsigned char* p;
  const unsigned char* end;
  bool bad = false;

  int Peek() const { return p < end ? *p : -1; }
  void Expr() {
    Term();
    while (!bad && (Peek() == '+' || Peek() == '-')) {
      ++p;
      Term();
    }
  }
  void Term() {
    Factor();
    while (!bad && (Peek() == '*' || Peek() == '/')) {
      ++p;
      Factor();
    }
  }
  void Factor() {
    int c = Peek();
    if (c >= 'a' && c <= 'z') {
      ++p;
    } else if (c == '(') {
      ++p;
      Expr();
      if (bad) return;
      if (Peek() != ')') {
        bad = true;
        return;
      }
      ++p;
    } else {
      bad = true;
    }
  }
  bool Parse(const std::string& text) {
    p = reinterpret_cast<const unsigned char*>(text.data());
    end = p + text.size();
    bad = false;
    Expr();
    return !bad && p == end;
  }
};

// Sums and products of one-letter variables and parenthesised expressions, nested at most
// eight deep.
void Expression(std::string& out, std::mt19937& rng, int depth, size_t limit) {
  static const char ops[] = "+-*/";
  int terms = 1 + int(rng() % 6);
  for (int i = 0; i < terms && (i == 0 || out.size() < limit); ++i) {
    if (i > 0) out += ops[rng() % 4];
    if (depth < 8 && rng() % 4 == 0) {
      out += '(';
      Expression(out, rng, depth + 1, limit);
      out += ')';
    } else {
      out += char('a' + rng() % 26);
    }
  }
}

template <class F>
double Seconds(F&& f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? size_t(std::atoi(argv[1])) : 32;
  const int runs = 9;
  std::mt19937 rng(12345);
  std::string text;
  text.reserve(megabytes << 20);
  Expression(text, rng, 0, 1);
  while (text.size() < (megabytes << 20)) {
    text += '+';
    Expression(text, rng, 0, megabytes << 20);
  }
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');

  bool generatedOk = false, freeOk = false, referenceOk = false;
  Reference reference;
  // The parsers take turns, so that a busy machine slows all alike.
  std::vector<double> generatedTimes, freeTimes, handTimes;
  for (int i = 0; i < runs; ++i) {
    generatedTimes.push_back(Seconds([&] {
      char* message = nullptr;
      generatedOk = benchexpr(buffer.data(), &message);
    }));
    freeTimes.push_back(Seconds([&] {
      char* message = nullptr;
      freeOk = benchfree(buffer.data(), &message);
    }));
    handTimes.push_back(Seconds([&] { referenceOk = reference.Parse(text); }));
  }
  double generated = Median(generatedTimes), unlimited = Median(freeTimes), hand = Median(handTimes);
  double mb = double(text.size()) / double(1 << 20);
  std::printf("input: %.1f MB, median of %d runs\n", mb, runs);
  std::printf("generated parser:   %8.1f MB/s%s\n", mb / generated, generatedOk ? "" : " (REJECTED)");
  std::printf("without nesting limit:%6.1f MB/s%s\n", mb / unlimited, freeOk ? "" : " (REJECTED)");
  std::printf("hand-written parser:%8.1f MB/s%s\n", mb / hand, referenceOk ? "" : " (REJECTED)");
  std::printf("generated / hand-written: %.2f\n", hand / generated);
  std::printf("cost of the nesting limit: %+.1f%%\n", (generated / unlimited - 1.0) * 100.0);

  // Nesting far past the limit: the parser reports the error instead of running out of stack.
  std::string deep = std::string(1000000, '(') + "a" + std::string(1000000, ')');
  std::vector<char> deepBuffer(deep.begin(), deep.end());
  deepBuffer.push_back('\0');
  char* message = nullptr;
  bool deepOk = benchexpr(deepBuffer.data(), &message);
  std::printf("1,000,000 brackets: %s\n", deepOk ? "accepted (wrong)" : message ? message : "rejected");
  return generatedOk && freeOk && referenceOk && !deepOk ? 0 : 1;
}
