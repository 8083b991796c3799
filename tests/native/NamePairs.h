// Names Windows calls the same or tells apart, in the alphabets players use: the known pairs by
// which the native tests check the program's rule, and the Win32 tests the file system itself.
#pragma once

namespace varnholt::test {

struct NamePair {
    const char* first;
    const char* second;
    bool same;
    bool wineDiffers; // Wine's table keeps them apart, Windows' does not
};

inline const NamePair NAME_PAIRS[] = {
    {"\xC8\x98tefan", "\xC8\x99TEFAN", true, false},                         // Romanian Ș ș
    {"\xC8\x9A\xC4\x83r\xC4\x83", "\xC8\x9B\xC4\x82R\xC4\x82", true, false}, // Țără ȚĂRĂ
    {"\xC4\x90\xC6\xB0\xE1\xBB\x9Dng", "\xC4\x91\xC6\xAF\xE1\xBB\x9CNG", true, false}, // Đường
    {"\xE1\xBC\x80\xCF\x81\xCF\x87\xCE\xAE", "\xE1\xBC\x88\xCE\xA1\xCE\xA7\xCE\x89", true,
     false},                                       // ἀρχή ἈΡΧΉ
    {"\xE1\xBE\x80", "\xE1\xBE\x88", true, false}, // ᾀ ᾈ
    {"\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x82", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8C\xCE\xA3", true,
     true},                                                                // σοφός ΣΟΦΌΣ
    {"\xCF\x83", "\xCF\x82", true, true},                                  // σ ς
    {"\xE1\x83\xA5\xE1\x83\x90", "\xE1\xB2\xA5\xE1\xB2\x90", true, false}, // Georgian ქა ᲥᲐ
    {"\xEA\xAD\xB0\xEA\xAD\xB1", "\xE1\x8E\xA0\xE1\x8E\xA1", true, false}, // Cherokee ꭰꭱ ᎠᎡ
    {"\xEF\xBD\x96\xEF\xBD\x81\xEF\xBD\x92", "\xEF\xBC\xB6\xEF\xBC\xA1\xEF\xBC\xB2", true,
     false}, // ｖａｒ ＶＡＲ
    {"\xD0\xB3\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB4", "\xD0\x93\xD0\x9E\xD0\xA0\xD0\x9E\xD0\x94", true,
     false},                                                 // город ГОРОД
    {"\xD5\xA5\xD6\x80", "\xD4\xB5\xD5\x90", true, false},   // Armenian եր ԵՐ
    {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", true, false}, // été ÉTÉ
    {"\xC3\x9F", "\xE1\xBA\x9E", false, false},              // ß ẞ
    {"\xC4\xB1", "I", false, false},                         // ı I
    {"i", "\xC4\xB0", false, false},                         // i İ
    {"K", "\xE2\x84\xAA", false, false},                     // the Kelvin sign
    {"\xF0\x90\x90\xA8", "\xF0\x90\x90\x80", false, false},  // Deseret, beyond the plane
};

} // namespace varnholt::test
