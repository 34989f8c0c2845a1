#pragma once
// Where the skin tests find the skin's sources and the packages the build made, and byte
// helpers between vectors and memory streams. The tests' skin is the colour-plan skin
// (skin/data, SKIN_PACKAGE), whose every pixel says where it belongs; the tests of what an
// operator sees load the skin the console ships with (SHIPPED_SKIN_PACKAGE).
#include <cstdint>
#include <string>
#include <vector>

#include "components/TMemoryStream.h"

using TBytes = std::vector<std::uint8_t>;

// A path of the build machine as this program opens it: under Wine, drive Z: is the root.
inline std::string HostPath(const std::string& path) {
#ifdef _WIN32
    return "Z:" + path;
#else
    return path;
#endif
}

inline std::string SkinSourcePath(const std::string& name) { return HostPath(SKIN_SOURCE_DIR "/" + name); }
inline std::string SkinPackagePath() { return HostPath(SKIN_PACKAGE); }
inline std::string SkinVariantPath(const std::string& name) { return HostPath(SKIN_VARIANTS_DIR "/" + name); }
#ifdef SHIPPED_SKIN_PACKAGE
inline std::string ShippedSkinPackagePath() { return HostPath(SHIPPED_SKIN_PACKAGE); }
#endif

inline void SetBytes(TMemoryStream& stream, const TBytes& bytes) {
    stream.Clear();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
}

inline TBytes BytesOf(TMemoryStream& stream) {
    const std::int64_t size = stream.Size();
    return size > 0 ? TBytes(stream.Memory(), stream.Memory() + size) : TBytes();
}

inline std::string TextOf(TMemoryStream& stream) {
    const TBytes bytes = BytesOf(stream);
    return std::string(bytes.begin(), bytes.end());
}

inline TBytes BytesOf(const std::string& text) { return TBytes(text.begin(), text.end()); }
