#include "background/OutputSurface.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "background/Blend.h"

namespace {

constexpr char kNamespace[] = "wallpaper";

void Ignore(void*, zxdg_output_v1*, int32_t, int32_t) {}
void IgnoreDone(void*, zxdg_output_v1*) {}
void IgnoreDescription(void*, zxdg_output_v1*, const char*) {}

}  // namespace

TOutputSurface::TOutputSurface(const WaylandGlobals& globals, std::uint32_t globalName, wl_output* output)
    : globals_(globals), globalName_(globalName), output_(output) {
  static const wl_output_listener outputListener = {&Geometry, &Mode, &Done, &Scale, &OutputName, &Description};
  wl_output_add_listener(output_, &outputListener, this);
  if (globals_.xdgOutputs) {
    static const zxdg_output_v1_listener xdgListener = {&Ignore, &Ignore, &IgnoreDone, &XdgName, &IgnoreDescription};
    xdgOutput_ = zxdg_output_manager_v1_get_xdg_output(globals_.xdgOutputs, output_);
    zxdg_output_v1_add_listener(xdgOutput_, &xdgListener, this);
  }

  surface_ = wl_compositor_create_surface(globals_.compositor);
  // The background takes no input: an empty input region lets every click through.
  wl_region* none = wl_compositor_create_region(globals_.compositor);
  wl_surface_set_input_region(surface_, none);
  wl_region_destroy(none);
  layer_ = zwlr_layer_shell_v1_get_layer_surface(globals_.layerShell, surface_, output_,
                                                 ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, kNamespace);
  static const zwlr_layer_surface_v1_listener layerListener = {&Configure, &Closed};
  zwlr_layer_surface_v1_add_listener(layer_, &layerListener, this);
  zwlr_layer_surface_v1_set_size(layer_, 0, 0);
  zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                               ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
  if (globals_.viewporter) viewport_ = wp_viewporter_get_viewport(globals_.viewporter, surface_);
  if (globals_.fractionalScale && viewport_) {
    static const wp_fractional_scale_v1_listener fractionListener = {&PreferredScale};
    fraction_ = wp_fractional_scale_manager_v1_get_fractional_scale(globals_.fractionalScale, surface_);
    wp_fractional_scale_v1_add_listener(fraction_, &fractionListener, this);
  }
  wl_surface_commit(surface_);
}

TOutputSurface::~TOutputSurface() {
  DestroySurface();
  if (xdgOutput_) zxdg_output_v1_destroy(xdgOutput_);
  if (wl_output_get_version(output_) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
    wl_output_release(output_);
  else
    wl_output_destroy(output_);
}

void TOutputSurface::DestroySurface() {
  if (frame_) wl_callback_destroy(frame_);
  frame_ = nullptr;
  if (fraction_) wp_fractional_scale_v1_destroy(fraction_);
  if (viewport_) wp_viewport_destroy(viewport_);
  if (layer_) zwlr_layer_surface_v1_destroy(layer_);
  if (surface_) wl_surface_destroy(surface_);
  fraction_ = nullptr;
  viewport_ = nullptr;
  layer_ = nullptr;
  surface_ = nullptr;
  configured_ = false;
  fading_ = false;
  shown_ = nullptr;
  buffers_.clear();
}

std::string TOutputSurface::Name() const { return name_.empty() ? "wl_output-" + std::to_string(globalName_) : name_; }

bool TOutputSurface::Ready() const { return configured_ && Width() > 0 && Height() > 0; }

int TOutputSurface::Width() const {
  if (fractional120_ > 0) return static_cast<int>(std::lround(logicalWidth_ * fractional120_ / 120.0));
  const bool turned = transform_ % 2 == 1;
  if (viewport_ && modeWidth_ > 0) return turned ? modeHeight_ : modeWidth_;
  return logicalWidth_ * scale_;
}

int TOutputSurface::Height() const {
  if (fractional120_ > 0) return static_cast<int>(std::lround(logicalHeight_ * fractional120_ / 120.0));
  const bool turned = transform_ % 2 == 1;
  if (viewport_ && modeHeight_ > 0) return turned ? modeWidth_ : modeHeight_;
  return logicalHeight_ * scale_;
}

void TOutputSurface::Geometry(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                              const char*, int32_t transform) {
  static_cast<TOutputSurface*>(data)->transform_ = transform;
}

void TOutputSurface::Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
  auto* self = static_cast<TOutputSurface*>(data);
  if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
  self->modeWidth_ = width;
  self->modeHeight_ = height;
}

// A new mode, scale or transform gives the picture a new size: it is drawn again at once.
void TOutputSurface::Done(void* data, wl_output*) {
  auto* self = static_cast<TOutputSurface*>(data);
  if (!self->shown_ || !self->picture_ || !self->Ready()) return;
  if (self->shown_->Width() == self->Width() && self->shown_->Height() == self->Height()) return;
  std::string error;
  self->Show(self->picture_, std::chrono::milliseconds(0), std::chrono::steady_clock::now(), error);
}

void TOutputSurface::Scale(void* data, wl_output*, int32_t factor) {
  static_cast<TOutputSurface*>(data)->scale_ = std::max(1, factor);
}

void TOutputSurface::OutputName(void* data, wl_output*, const char* name) {
  static_cast<TOutputSurface*>(data)->name_ = name;
}

void TOutputSurface::Description(void*, wl_output*, const char*) {}

void TOutputSurface::XdgName(void* data, zxdg_output_v1*, const char* name) {
  auto* self = static_cast<TOutputSurface*>(data);
  if (self->name_.empty()) self->name_ = name;
}

void TOutputSurface::Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                               uint32_t height) {
  auto* self = static_cast<TOutputSurface*>(data);
  zwlr_layer_surface_v1_ack_configure(layer, serial);
  self->logicalWidth_ = static_cast<int>(width);
  self->logicalHeight_ = static_cast<int>(height);
  self->configured_ = true;
  if (self->viewport_) wp_viewport_set_destination(self->viewport_, self->logicalWidth_, self->logicalHeight_);
  Done(data, self->output_);
  if (self->surface_) wl_surface_commit(self->surface_);
}

void TOutputSurface::Closed(void* data, zwlr_layer_surface_v1*) {
  static_cast<TOutputSurface*>(data)->DestroySurface();
}

void TOutputSurface::PreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
  auto* self = static_cast<TOutputSurface*>(data);
  self->fractional120_ = scale;
  Done(data, self->output_);
}

void TOutputSurface::FrameDone(void* data, wl_callback* callback, uint32_t) {
  auto* self = static_cast<TOutputSurface*>(data);
  wl_callback_destroy(callback);
  self->frame_ = nullptr;
}

TShmBuffer* TOutputSurface::FreeBuffer() {
  std::erase_if(buffers_, [this](const std::unique_ptr<TShmBuffer>& buffer) {
    return buffer.get() != shown_ && (buffer->Width() != Width() || buffer->Height() != Height());
  });
  for (const std::unique_ptr<TShmBuffer>& buffer : buffers_)
    if (buffer.get() != shown_ && !buffer->Busy() && buffer->Width() == Width() && buffer->Height() == Height())
      return buffer.get();
  std::unique_ptr<TShmBuffer> buffer = TShmBuffer::Create(globals_.shm, Width(), Height());
  if (!buffer) return nullptr;
  buffers_.push_back(std::move(buffer));
  return buffers_.back().get();
}

void TOutputSurface::Present(TShmBuffer* buffer, bool wantFrame) {
  wl_surface_attach(surface_, buffer->Buffer(), 0, 0);
  wl_surface_damage_buffer(surface_, 0, 0, INT32_MAX, INT32_MAX);
  if (!viewport_) wl_surface_set_buffer_scale(surface_, scale_);
  if (wantFrame && !frame_) {
    static const wl_callback_listener frameListener = {&FrameDone};
    frame_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frame_, &frameListener, this);
  }
  wl_surface_commit(surface_);
  buffer->Attached();
  shown_ = buffer;
  ++frames_;
}

const std::uint32_t* TOutputSurface::Target(std::size_t& stride) {
  if (!stretched_.empty()) {
    stride = static_cast<std::size_t>(Width());
    return stretched_.data();
  }
  stride = picture_->Header().stride / 4;
  return picture_->Map();
}

bool TOutputSurface::Show(std::shared_ptr<TSharedPicture> picture, std::chrono::milliseconds fade, FadeTime now,
                          std::string& error) {
  picture_ = std::move(picture);
  if (!Ready() || !surface_) return true;
  const PictureHeader& header = picture_->Header();
  const std::uint32_t* pixels = picture_->Map();
  if (!pixels) {
    error = "a picture cannot be mapped";
    return false;
  }
  const std::size_t area = static_cast<std::size_t>(Width()) * Height();
  std::vector<std::uint32_t>().swap(stretched_);
  if (static_cast<int>(header.width) != Width() || static_cast<int>(header.height) != Height()) {
    stretched_.resize(area);
    StretchPixels(pixels, static_cast<int>(header.width), static_cast<int>(header.height), header.stride / 4,
                  stretched_.data(), Width(), Height(), static_cast<std::size_t>(Width()));
    picture_->Unmap();
  }
  const bool fromShown = shown_ && shown_->Width() == Width() && shown_->Height() == Height();
  std::uint32_t* old = fromShown && fade.count() > 0 ? shown_->Map() : nullptr;
  if (!old) {
    Land();
    return true;
  }
  from_.assign(old, old + area);
  // The buffers stay mapped while the fade runs: mapping one again for each frame would fault
  // in every page of it again.
  fading_ = true;
  start_ = now;
  duration_ = fade;
  lastFrame_ = FadeTime{};
  return true;
}

std::optional<FadeTime> TOutputSurface::Tick(FadeTime now) {
  if (!fading_) return std::nullopt;
  const FadeTime end = start_ + duration_;
  const unsigned weight = FadeWeight(std::chrono::duration_cast<std::chrono::microseconds>(now - start_), duration_);
  // A surface that gets no frame callbacks still ends on the final picture in time.
  if (weight >= kFullWeight || (frame_ && now >= end)) {
    Land();
    return std::nullopt;
  }
  if (frame_) return end;
  const std::chrono::microseconds wait = FrameWait(lastFrame_, now);
  if (wait.count() > 0) return now + wait;
  TShmBuffer* buffer = FreeBuffer();
  std::uint32_t* out = buffer ? buffer->Map() : nullptr;
  std::size_t stride = 0;
  const std::uint32_t* to = Target(stride);
  if (!out || !to) {
    Land();
    return std::nullopt;
  }
  const std::size_t width = static_cast<std::size_t>(Width());
  if (stride == width) {
    BlendPixels(from_.data(), to, out, width * Height(), weight);
  } else {
    for (int y = 0; y < Height(); ++y)
      BlendPixels(from_.data() + y * width, to + y * stride, out + y * width, width, weight);
  }
  Present(buffer, true);
  lastFrame_ = now;
  return end;
}

void TOutputSurface::Land() {
  fading_ = false;
  std::vector<std::uint32_t>().swap(from_);
  TShmBuffer* buffer = FreeBuffer();
  std::uint32_t* out = buffer ? buffer->Map() : nullptr;
  std::size_t stride = 0;
  const std::uint32_t* to = Target(stride);
  if (out && to) {
    const std::size_t width = static_cast<std::size_t>(Width());
    for (int y = 0; y < Height(); ++y) std::memcpy(out + y * width, to + y * stride, width * 4);
    Present(buffer, false);
  }
  picture_->Unmap();
  std::vector<std::uint32_t>().swap(stretched_);
  std::erase_if(buffers_, [this](const std::unique_ptr<TShmBuffer>& kept) { return kept.get() != shown_; });
  if (shown_) shown_->Unmap();
}
