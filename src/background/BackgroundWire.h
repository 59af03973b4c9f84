// The conversation on tesserine-background's socket, a SOCK_SEQPACKET socket in
// $XDG_RUNTIME_DIR named after the Wayland display. Each request is one packet of text lines;
// each answer is one packet. Output names travel percent-encoded (every byte outside
// [A-Za-z0-9._-] as %XX).
//
//   outputs                       answer: "outputs" and a line "<name> <width> <height>" for
//                                 each output ready to show a picture, its buffer's size in
//                                 device pixels
//   show <fade ms>                one "picture" line per picture, each with one file
//   picture <name> <w> <h> <stride>    descriptor in the packet's SCM_RIGHTS, in order: a
//                                 sealed memfd (F_SEAL_SHRINK at least) of <stride> * <h>
//                                 bytes of XRGB8888 pixels; the first is the primary
//                                 monitor's, shown on outputs the request does not name and
//                                 on outputs that come later. answer: "ok" once the pictures
//                                 are taken, or "error <text>" with what shows kept
//   status                        answer: "status <outputs still fading> <frames shown>"
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

inline constexpr int kMaxPictures = 16;
inline constexpr std::uint32_t kMaxPictureSide = 16384;
inline constexpr std::uint32_t kMaxFadeMs = 60000;
inline constexpr std::size_t kMaxPacket = 4096;

struct PictureHeader {
  std::string output;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t stride = 0;
  bool operator==(const PictureHeader&) const = default;
};

struct OutputsRequest {};
struct StatusRequest {};
struct ShowRequest {
  std::uint32_t fadeMs = 0;
  std::vector<PictureHeader> pictures;
  bool operator==(const ShowRequest&) const = default;
};
using Request = std::variant<OutputsRequest, ShowRequest, StatusRequest>;

// The request in a packet that came with descriptors files; nullopt with why in error for a
// packet that is not a whole, sound request (unknown words, numbers out of range, a stride
// that does not hold a row, more or fewer files than pictures).
std::optional<Request> ParseRequest(std::string_view packet, std::size_t files, std::string& error);

struct OutputSize {
  std::string name;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};
std::string OutputsAnswer(const std::vector<OutputSize>& outputs);

std::string EncodeName(std::string_view name);
// nullopt for a malformed escape.
std::optional<std::string> DecodeName(std::string_view text);

// "<runtime folder>/tesserine-background-<display>", a '/' in the display's name as '_'.
std::string SocketPath(std::string_view runtimeFolder, std::string_view display);
