#include "IconvDecoder.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string>

#include "helpers/Sjis.h"

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// One open converter shared by the decoder's copies.
class Converter {
 public:
  Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
  ~Converter() {
    if (Usable()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::string Convert(std::string_view sjis) {
    std::string input(sjis);
    std::string output;
    char* in = input.data();
    std::size_t inLeft = input.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
      char buffer[256];
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // A byte (or pair) that is no character: replace it and go on.
      const auto b = static_cast<unsigned char>(in[0]);
      const bool pair = IsLeadByte(b) && inLeft >= 2 && IsTrail(static_cast<unsigned char>(in[1]));
      const std::size_t skip = pair ? 2 : 1;
      in += skip;
      inLeft -= skip;
      output += kReplacement;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

 private:
  iconv_t cd_;
};

}  // namespace

TextDecoder MakeIconvDecoder() {
  auto converter = std::make_shared<Converter>();
  if (!converter->Usable()) return DecodeSjisWithoutTable;
  return [converter](std::string_view sjis) { return converter->Convert(sjis); };
}
