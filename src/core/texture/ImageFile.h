#pragma once
// Decoding of texture image files (Windows bitmaps and JPEG) into plain
// 24-bit images. Every decoder delivers rows bottom-up, the first row in
// memory being the bottom row of the picture, each pixel R, G, B.
//
// Failures are reported to the user through the message sink before the
// decoder returns none; a damaged JPEG returns none without a message of its
// own (the caller reports it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/model/Model.h"

namespace plicora {

/// Largest decoded image accepted, in bytes of 24-bit pixels (the size a
/// 32-bit program could ever map). Larger images are refused as out of memory
/// before anything is allocated.
inline constexpr std::size_t kMaxDecodedImageBytes = 0x7FFFFFFF;

/// Reads a bitmap or JPEG file: names ending in ".jpg" or ".jpeg" (any letter
/// case) go to the JPEG decoder, every other name to the bitmap decoder.
std::unique_ptr<TextureImage> ReadImageFile(const std::string& path);

/// Reads a Windows bitmap file (with or without the 14-byte "BM" header).
std::unique_ptr<TextureImage> ReadBitmapFile(const std::string& path);

/// Reads a JPEG file.
std::unique_ptr<TextureImage> ReadJpegFile(const std::string& path);

/// Decodes bitmap bytes held in memory (the file's whole content).
/// `maxImageBytes` bounds the decoded image; larger ones are refused.
std::unique_ptr<TextureImage> DecodeBitmap(std::span<const std::uint8_t> bytes,
                                           std::size_t maxImageBytes = kMaxDecodedImageBytes);

/// Decodes JPEG bytes held in memory, with the same results as ReadJpegFile.
std::unique_ptr<TextureImage> DecodeJpeg(std::span<const std::uint8_t> bytes,
                                         std::size_t maxImageBytes = kMaxDecodedImageBytes);

}  // namespace plicora
