#pragma once
// Layout of .ctm files: a facet soup, each record holding its own three corners and optionally their
// normals. Positions are absolute file offsets.
//   0..271: header, of which only the int32 at 268 is used: S, the position of the section descriptor.
//   S: descriptor of 22 bytes (offsets below), D: N facet records of R bytes each.
//   Record: 3 vertices of 3 float32 at 0, 12, 24; with normal flag 2, 3 normals at 36, 48, 60.

#include <cstdint>

inline constexpr uint64_t kCtmHeaderSize = 272;
inline constexpr uint64_t kCtmSectionPositionOffset = 268;
inline constexpr uint64_t kCtmDescriptorSize = 22;
inline constexpr uint64_t kCtmFacetCountOffset = 6;     // int32 N
inline constexpr uint64_t kCtmNormalFlagOffset = 10;    // int16, kCtmNormalFlag: records carry normals
inline constexpr uint64_t kCtmRecordSizeOffset = 12;    // uint16 R
inline constexpr uint64_t kCtmDataPositionOffset = 14;  // int32 D
inline constexpr int16_t kCtmNormalFlag = 2;
inline constexpr uint64_t kCtmPlainRecordSize = 36;
inline constexpr uint64_t kCtmNormalRecordSize = 72;
