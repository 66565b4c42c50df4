#include "core/shredding.h"

#include <algorithm>

namespace korvane {

namespace {

using i128 = __int128;

i128 Abs(i128 v) { return v < 0 ? -v : v; }

i128 Gcd(i128 a, i128 b) {
  a = Abs(a);
  b = Abs(b);
  while (b != 0) {
    const i128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

bool Mul(i128 a, i128 b, i128& r) { return !__builtin_mul_overflow(a, b, &r); }
bool Add(i128 a, i128 b, i128& r) { return !__builtin_add_overflow(a, b, &r); }

bool Normalize(Fraction& f) {
  if (f.den == 0) return false;
  if (f.den < 0) {
    f.num = -f.num;
    f.den = -f.den;
  }
  const i128 g = Gcd(f.num, f.den);
  if (g > 1) {
    f.num /= g;
    f.den /= g;
  }
  return true;
}

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  std::optional<Fraction> Run() {
    Fraction f;
    if (!Expr(f)) return std::nullopt;
    SkipBlanks();
    if (pos_ != s_.size()) return std::nullopt;
    return f;
  }

 private:
  void SkipBlanks() {
    while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) <= ' ') ++pos_;
  }
  bool Peek(char c) {
    SkipBlanks();
    return pos_ < s_.size() && s_[pos_] == c;
  }

  bool Expr(Fraction& out) {
    if (!Term(out)) return false;
    for (;;) {
      const bool plus = Peek('+');
      if (!plus && !Peek('-')) return true;
      ++pos_;
      Fraction r;
      if (!Term(r)) return false;
      if (!plus) r.num = -r.num;
      // a/b + c/d = (a*d + c*b) / (b*d)
      i128 ad, cb, bd, sum;
      if (!Mul(out.num, r.den, ad) || !Mul(r.num, out.den, cb) || !Mul(out.den, r.den, bd) ||
          !Add(ad, cb, sum))
        return false;
      out = Fraction{sum, bd};
      if (!Normalize(out)) return false;
    }
  }

  bool Term(Fraction& out) {
    if (!Factor(out)) return false;
    for (;;) {
      const bool times = Peek('*');
      if (!times && !Peek('/')) return true;
      ++pos_;
      Fraction r;
      if (!Factor(r)) return false;
      i128 num, den;
      if (times) {
        if (!Mul(out.num, r.num, num) || !Mul(out.den, r.den, den)) return false;
      } else {
        if (r.num == 0) return false;  // division by zero
        if (!Mul(out.num, r.den, num) || !Mul(out.den, r.num, den)) return false;
      }
      out = Fraction{num, den};
      if (!Normalize(out)) return false;
    }
  }

  bool Factor(Fraction& out) {
    if (++depth_ > 200) return false;
    bool ok = false;
    if (Peek('-') || Peek('+')) {
      const bool minus = s_[pos_] == '-';
      ++pos_;
      ok = Factor(out);
      if (ok && minus) out.num = -out.num;
    } else if (Peek('(')) {
      ++pos_;
      ok = Expr(out) && Peek(')');
      if (ok) ++pos_;
    } else {
      ok = Number(out);
    }
    --depth_;
    return ok;
  }

  bool Number(Fraction& out) {
    SkipBlanks();
    i128 num = 0;
    i128 den = 1;
    bool digits = false;
    bool point = false;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c >= '0' && c <= '9') {
        if (!Mul(num, 10, num) || !Add(num, c - '0', num)) return false;
        if (point && !Mul(den, 10, den)) return false;
        digits = true;
      } else if (c == '.' && !point) {
        point = true;
      } else {
        break;
      }
      ++pos_;
    }
    if (!digits) return false;
    out = Fraction{num, den};
    return Normalize(out);
  }

  std::string_view s_;
  size_t pos_ = 0;
  int depth_ = 0;
};

void ReplaceAllNoCase(std::string& s, char letter, int position, uint8_t value) {
  const char lower = static_cast<char>(letter | 0x20);
  const char digit = static_cast<char>('0' + position);
  const std::string replacement = NumToText(value);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (i + 1 < s.size() && static_cast<char>(s[i] | 0x20) == lower && s[i + 1] == digit) {
      out += replacement;
      ++i;
    } else {
      out += s[i];
    }
  }
  s.swap(out);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The slot bytes of a prepared formula.
constexpr char kSlotBase = 0x10;
bool IsSlot(char c) { return c > kSlotBase && c <= kSlotBase + 9; }

// Evaluates text without blanks held in a caller's buffer.
std::optional<Fraction> EvaluateCompact(std::string_view text) { return Parser(text).Run(); }

int64_t FractionDigits(const Fraction& value, int digits) {
  digits = std::clamp(digits, 0, 18);
  i128 scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  const i128 rest = Abs(value.num) % value.den;  // fractional part = rest / den
  i128 scaled;
  if (!Mul(rest, scale, scaled)) return 0;
  return static_cast<int64_t>(scaled / value.den);
}

}  // namespace

std::optional<Fraction> EvaluateExact(std::string_view expression) {
  std::string compact;
  for (char c : expression)
    if (!IsBlank(c)) compact += c;
  return EvaluateCompact(compact);
}

std::string SubstituteShreddingFormula(std::string_view formula, const TComb& t, const TComb& p,
                                       const TComb& n) {
  std::string s(formula);
  for (int i = 1; i <= NumsCount; ++i) {
    ReplaceAllNoCase(s, 'n', i, n[i - 1]);
    ReplaceAllNoCase(s, 'p', i, p[i - 1]);
    ReplaceAllNoCase(s, 't', i, t[i - 1]);
  }
  return s;
}

ShreddingFormulaProgram::ShreddingFormulaProgram(std::string_view formula, int digits)
    : formula_(formula), digits_(digits) {
  // The names in replacement order, each becoming slot byte kSlotBase + 1..9 of the template
  // (control bytes that are no blanks). A formula holding such a byte itself takes the plain
  // text route.
  std::string text(formula);
  for (char c : text)
    if (IsSlot(c)) plainText_ = true;
  static constexpr char kLetters[3] = {'n', 'p', 't'};
  for (int i = 1; i <= NumsCount; ++i)
    for (int l = 0; l < 3; ++l) {
      const char slot = static_cast<char>(kSlotBase + (i - 1) * 3 + l + 1);
      std::string out;
      for (size_t k = 0; k < text.size(); ++k) {
        if (k + 1 < text.size() && static_cast<char>(text[k] | 0x20) == kLetters[l] &&
            text[k + 1] == static_cast<char>('0' + i)) {
          out += slot;
          ++k;
        } else {
          out += text[k];
        }
      }
      text.swap(out);
    }
  // A slot right after a name letter could form a new name once filled with its digit (a
  // later pass would then replace it): such formulas take the plain text route.
  for (size_t k = 1; k < text.size(); ++k) {
    const char prev = static_cast<char>(text[k - 1] | 0x20);
    if (IsSlot(text[k]) && (prev == 'n' || prev == 'p' || prev == 't')) plainText_ = true;
  }
  for (char c : text)
    if (!IsBlank(c)) template_ += c;
}

int64_t ShreddingFormulaProgram::Value(const TComb& t, const TComb& p, const TComb& n) const {
  if (plainText_) return ShreddingValue(formula_, digits_, t, p, n);
  const TComb* combs[3] = {&n, &p, &t};
  char stack[256];
  std::string heap;
  char* buf = stack;
  if (template_.size() > sizeof stack) {
    heap.resize(template_.size());
    buf = heap.data();
  }
  for (size_t k = 0; k < template_.size(); ++k) {
    const char c = template_[k];
    if (IsSlot(c)) {
      const int slot = c - kSlotBase - 1;
      buf[k] = static_cast<char>('0' + (*combs[slot % 3])[static_cast<size_t>(slot / 3)]);
    } else {
      buf[k] = c;
    }
  }
  const auto value = EvaluateCompact(std::string_view(buf, template_.size()));
  return value ? FractionDigits(*value, digits_) : 0;
}

int64_t ShreddingValue(std::string_view formula, int digits, const TComb& t, const TComb& p,
                       const TComb& n) {
  const auto value = EvaluateExact(SubstituteShreddingFormula(formula, t, p, n));
  return value ? FractionDigits(*value, digits) : 0;
}

}  // namespace korvane
