#include "helpers/BigUnsigned.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::uint32_t kTenPow9 = 1000000000u;
constexpr std::uint32_t kFivePow13 = 1220703125u;  // the largest power of 5 in 32 bits

constexpr std::uint32_t kSmallPow10[] = {1u,      10u,      100u,      1000u,      10000u,
                                         100000u, 1000000u, 10000000u, 100000000u, kTenPow9};

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

BigUnsigned BigUnsigned::FromDecimalDigits(std::string_view digits) {
  BigUnsigned result;
  result.limbs_.reserve(digits.size() / 9 + 1);
  std::size_t pos = 0;
  // The first chunk takes the odd digits, so every further chunk has nine.
  std::size_t chunk = digits.size() % 9;
  if (chunk == 0) chunk = 9;
  while (pos < digits.size()) {
    std::uint32_t part = 0;
    for (std::size_t i = 0; i < chunk; ++i) part = part * 10 + static_cast<std::uint32_t>(digits[pos + i] - '0');
    result.MulSmall(kSmallPow10[chunk]);
    result.AddSmall(part);
    pos += chunk;
    chunk = 9;
  }
  return result;
}

void BigUnsigned::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

int BigUnsigned::BitLength() const {
  if (limbs_.empty()) return 0;
  return static_cast<int>(limbs_.size() - 1) * 32 + std::bit_width(limbs_.back());
}

bool BigUnsigned::TestBit(int index) const {
  if (index < 0) return false;
  const std::size_t limb = static_cast<std::size_t>(index) / 32;
  if (limb >= limbs_.size()) return false;
  return ((limbs_[limb] >> (index % 32)) & 1u) != 0;
}

bool BigUnsigned::AnyBitBelow(int index) const {
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const long base = static_cast<long>(i) * 32;
    if (base >= index) break;
    if (base + 32 <= index) {
      if (limbs_[i] != 0) return true;
    } else {
      return (limbs_[i] & ((1u << (index - base)) - 1u)) != 0;
    }
  }
  return false;
}

std::uint64_t BigUnsigned::ExtractBits(int low, int count) const {
  std::uint64_t result = 0;
  for (int i = count - 1; i >= 0; --i) result = (result << 1) | (TestBit(low + i) ? 1u : 0u);
  return result;
}

void BigUnsigned::MulSmall(std::uint32_t factor) {
  if (factor == 0) {
    limbs_.clear();
    return;
  }
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs_) {
    const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
}

void BigUnsigned::AddSmall(std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::size_t i = 0; carry != 0; ++i) {
    if (i == limbs_.size()) {
      limbs_.push_back(static_cast<std::uint32_t>(carry));
      return;
    }
    const std::uint64_t sum = static_cast<std::uint64_t>(limbs_[i]) + carry;
    limbs_[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
}

void BigUnsigned::MulPow10(int exponent) {
  for (; exponent >= 9; exponent -= 9) MulSmall(kTenPow9);
  if (exponent > 0) MulSmall(kSmallPow10[exponent]);
}

void BigUnsigned::MulPow5(int exponent) {
  for (; exponent >= 13; exponent -= 13) MulSmall(kFivePow13);
  std::uint32_t rest = 1;
  for (; exponent > 0; --exponent) rest *= 5;
  if (rest != 1) MulSmall(rest);
}

void BigUnsigned::ShiftLeft(int bits) {
  if (limbs_.empty() || bits <= 0) return;
  const std::size_t whole = static_cast<std::size_t>(bits) / 32;
  const int part = bits % 32;
  if (part != 0) {
    std::uint32_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint32_t next = limb >> (32 - part);
      limb = (limb << part) | carry;
      carry = next;
    }
    if (carry != 0) limbs_.push_back(carry);
  }
  limbs_.insert(limbs_.begin(), whole, 0u);
}

std::uint32_t BigUnsigned::DivSmall(std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) {
    const std::uint64_t current = (remainder << 32) | limbs_[i];
    limbs_[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  Trim();
  return static_cast<std::uint32_t>(remainder);
}

BigUnsigned BigUnsigned::DivideBy(const BigUnsigned& divisor) {
  BigUnsigned remainder;
  if (Compare(*this, divisor) < 0) {
    remainder.limbs_ = std::move(limbs_);
    limbs_.clear();
    return remainder;
  }
  if (divisor.limbs_.size() == 1) {
    remainder = BigUnsigned(DivSmall(divisor.limbs_[0]));
    return remainder;
  }
  // Knuth's algorithm D: the divisor is shifted until its top bit is set, so
  // that the estimate of each quotient digit from the top two digits of the
  // remainder is at most two too large.
  constexpr std::uint64_t kBase = std::uint64_t{1} << 32;
  const std::size_t n = divisor.limbs_.size();
  const std::size_t m = limbs_.size();
  const int shift = std::countl_zero(divisor.limbs_.back());
  const auto shifted = [shift](const std::vector<std::uint32_t>& from, std::size_t size) {
    std::vector<std::uint32_t> to(size, 0);
    for (std::size_t i = 0; i < from.size(); ++i) {
      to[i] |= from[i] << shift;
      if (shift != 0 && i + 1 < size) to[i + 1] = static_cast<std::uint32_t>(from[i] >> (32 - shift));
    }
    return to;
  };
  const std::vector<std::uint32_t> v = shifted(divisor.limbs_, n);
  std::vector<std::uint32_t> u = shifted(limbs_, m + 1);
  std::vector<std::uint32_t> quotient(m - n + 1, 0);

  for (std::size_t j = m - n + 1; j-- > 0;) {
    const std::uint64_t top = (static_cast<std::uint64_t>(u[j + n]) << 32) | u[j + n - 1];
    std::uint64_t digit = top / v[n - 1];
    std::uint64_t rest = top % v[n - 1];
    while (digit >= kBase || digit * v[n - 2] > ((rest << 32) | u[j + n - 2])) {
      --digit;
      rest += v[n - 1];
      if (rest >= kBase) break;
    }
    // u[j .. j+n] -= digit * v
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint64_t product = digit * v[i];
      const std::int64_t t = static_cast<std::int64_t>(u[i + j]) - borrow - static_cast<std::int64_t>(product & 0xFFFFFFFFu);
      u[i + j] = static_cast<std::uint32_t>(t);
      borrow = static_cast<std::int64_t>(product >> 32) - (t >> 32);
    }
    const std::int64_t t = static_cast<std::int64_t>(u[j + n]) - borrow;
    u[j + n] = static_cast<std::uint32_t>(t);
    if (t < 0) {
      // The estimate was one too large: add the divisor back.
      --digit;
      std::uint64_t carry = 0;
      for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t sum = static_cast<std::uint64_t>(u[i + j]) + v[i] + carry;
        u[i + j] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
      }
      u[j + n] = static_cast<std::uint32_t>(u[j + n] + carry);
    }
    quotient[j] = static_cast<std::uint32_t>(digit);
  }

  // The remainder is the low n digits of u, shifted back.
  remainder.limbs_.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    remainder.limbs_[i] = u[i] >> shift;
    if (shift != 0) remainder.limbs_[i] |= static_cast<std::uint32_t>(static_cast<std::uint64_t>(u[i + 1]) << (32 - shift));
  }
  remainder.Trim();
  limbs_ = std::move(quotient);
  Trim();
  return remainder;
}

int BigUnsigned::Compare(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;)
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  return 0;
}

std::string BigUnsigned::ToDecimal() const {
  if (limbs_.empty()) return "0";
  // Nine digits at a time from the low end, then reversed.
  BigUnsigned rest = *this;
  std::string reversed;
  while (!rest.IsZero()) {
    std::uint32_t chunk = rest.DivSmall(kTenPow9);
    for (int i = 0; i < 9; ++i) {
      reversed.push_back(static_cast<char>('0' + chunk % 10));
      chunk /= 10;
      if (rest.IsZero() && chunk == 0) break;
    }
  }
  return std::string(reversed.rbegin(), reversed.rend());
}
