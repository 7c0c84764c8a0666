#include "helpers/FullWidthTable.h"

#include <array>

namespace {

// ASCII 0x20-0x7E: the full-width space, then U+FF01-U+FF5E in code page 932.
// The full-width double quote and apostrophe (0x22, 0x27) only exist in the
// extension rows 0xFA.
constexpr std::array<std::uint16_t, 95> kAscii = {
    0x8140, 0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56,  // 20-27  !"#$%&'
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // 28-2F ()*+,-./
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 30-37 0-7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 38-3F 89:;<=>?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // 40-47 @A-G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // 48-4F H-O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // 50-57 P-W
    0x8277, 0x8278, 0x8279, 0x816D, 0x815F, 0x816E, 0x814F, 0x8151,  // 58-5F XYZ[\]^_
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // 60-67 `a-g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // 68-6F h-o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // 70-77 p-w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,          // 78-7E xyz{|}~
};

// Half-width katakana 0xA1-0xDF: punctuation, small kana, the long vowel mark,
// the kana from a to n, and the two sound marks.
constexpr std::array<std::uint16_t, 63> kKana = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,          // A1-A7
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,  // A8-AF
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,  // B0-B7
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,  // B8-BF
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,  // C0-C7
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,  // C8-CF
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,  // D0-D7
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,  // D8-DF
};

// The voiced forms of half-width kana 0xA1-0xDF (0 where none exists in code
// page 932): vu, the ka to to rows and the ha row.
constexpr std::array<std::uint16_t, 63> kVoiced = {
    0,      0,      0,      0,      0,      0,      0,               // A1-A7
    0,      0,      0,      0,      0,      0,      0,      0,       // A8-AF
    0,      0,      0,      0x8394, 0,      0,      0x834B, 0x834D,  // B0-B7
    0x834F, 0x8351, 0x8353, 0x8355, 0x8357, 0x8359, 0x835B, 0x835D,  // B8-BF
    0x835F, 0x8361, 0x8364, 0x8366, 0x8368, 0,      0,      0,       // C0-C7
    0,      0,      0x836F, 0x8372, 0x8375, 0x8378, 0x837B, 0,       // C8-CF
    0,      0,      0,      0,      0,      0,      0,      0,       // D0-D7
    0,      0,      0,      0,      0,      0,      0,      0,       // D8-DF
};

// The semi-voiced forms: only the ha row has them.
constexpr std::array<std::uint16_t, 5> kSemiVoiced = {0x8370, 0x8373, 0x8376, 0x8379, 0x837C};

constexpr unsigned char kFirstKana = 0xA1;
constexpr unsigned char kLastKana = 0xDF;
constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;
constexpr unsigned char kHalfWidthHa = 0xCA;
constexpr unsigned char kHalfWidthHo = 0xCE;

// Hiragana small a to n lie in 0x829F-0x82F1 and katakana in the same order
// from 0x8340, except that the katakana row skips 0x837F.
constexpr std::uint16_t kFirstHiragana = 0x829F;
constexpr std::uint16_t kLastHiragana = 0x82F1;
constexpr std::uint16_t kFirstKatakana = 0x8340;
constexpr std::uint16_t kKatakanaGap = 0x837F;
// The hiragana iteration marks and their katakana counterparts.
constexpr std::uint16_t kHiraganaIteration = 0x8154;
constexpr std::uint16_t kHiraganaVoicedIteration = 0x8155;
constexpr std::uint16_t kKatakanaIteration = 0x8152;
constexpr std::uint16_t kKatakanaVoicedIteration = 0x8153;

}  // namespace

std::uint16_t FullWidthOfSingleByte(unsigned char b) {
  if (b >= 0x20 && b <= 0x7E) return kAscii[b - 0x20];
  if (b >= kFirstKana && b <= kLastKana) return kKana[b - kFirstKana];
  return 0;
}

std::uint16_t CombinedKana(unsigned char kana, unsigned char mark) {
  if (kana < kFirstKana || kana > kLastKana) return 0;
  if (mark == kVoicedMark) return kVoiced[kana - kFirstKana];
  if (mark == kSemiVoicedMark && kana >= kHalfWidthHa && kana <= kHalfWidthHo)
    return kSemiVoiced[kana - kHalfWidthHa];
  return 0;
}

std::uint16_t KatakanaOf(std::uint16_t code) {
  if (code >= kFirstHiragana && code <= kLastHiragana) {
    std::uint16_t katakana = static_cast<std::uint16_t>(kFirstKatakana + (code - kFirstHiragana));
    if (katakana >= kKatakanaGap) ++katakana;
    return katakana;
  }
  if (code == kHiraganaIteration) return kKatakanaIteration;
  if (code == kHiraganaVoicedIteration) return kKatakanaVoicedIteration;
  return code;
}
