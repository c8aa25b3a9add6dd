// The layout of our keyed archives, shared by the archiver and the unarchiver. An archive is CBOR: a map
// {"$archiver": "VistrelKeyedArchive", "$version": 1, "$top": root}, where an object is a map
// {"$class": name, "$fields": {key: value}}, a null object is CBOR null, an array of objects a CBOR array,
// and plain values are CBOR integers, doubles (always 64-bit), booleans, text and byte strings.
#pragma once

namespace core::archive {

inline constexpr char archiverKey[] = "$archiver";
inline constexpr char archiverName[] = "VistrelKeyedArchive";
inline constexpr char versionKey[] = "$version";
inline constexpr int version = 1;
inline constexpr char topKey[] = "$top";
inline constexpr char classKey[] = "$class";
inline constexpr char fieldsKey[] = "$fields";
// Objects nest no deeper than this, so that neither side can run out of stack.
inline constexpr int maximumDepth = 200;

}  // namespace core::archive
