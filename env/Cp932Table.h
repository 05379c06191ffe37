#pragma once
// Code page 932 as glibc iconv converts it, made into tables by
// scripts/cp932-table.py (Cp932Table.cpp is its output).

namespace cp932 {

// No character: neither a valid UTF-16 character of the code page nor a byte code.
inline constexpr char16_t kNone = 0xFFFF;

// Lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0xFC.
inline constexpr int kLeadCount = 60;
inline constexpr int kTrailCount = 0xFD - 0x40;

// The lead byte's row in kDouble, or -1 for a byte that is no lead byte.
inline int LeadIndex(unsigned char byte)
{
    if (byte >= 0x81 && byte <= 0x9F)
        return byte - 0x81;
    if (byte >= 0xE0 && byte <= 0xFC)
        return byte - 0xE0 + 0x9F - 0x81 + 1;
    return -1;
}

struct CodePair {
    char16_t character;
    unsigned short code; // one byte, or lead << 8 | trail
};

// What each single byte and each lead/trail pair reads as (kNone when invalid).
extern const char16_t kSingle[256];
extern const char16_t kDouble[kLeadCount * kTrailCount];
// Characters with several codes for which the converter writes another code
// than the first in byte order (NEC and IBM extension rows).
extern const CodePair kPreferred[];
extern const int kPreferredCount;
// Characters the converter writes as the code of a neighbouring character.
extern const CodePair kBestFit[];
extern const int kBestFitCount;

} // namespace cp932
