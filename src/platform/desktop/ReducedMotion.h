// Whether the desktop asks programs for less motion, so that a change of wallpaper does not
// fade: the desktop portal's org.freedesktop.appearance reduced-motion where the portal offers
// it (1 asks for less), and GNOME's org.gnome.desktop.interface enable-animations (false asks
// for less) where its schema is installed. Either asking is enough. Nothing here blocks: the
// portal's answer arrives through the event loop, and until it does only GNOME's key counts.
#pragma once

#include <QDBusConnection>
#include <memory>
#include <optional>

class TPortalSettings;

// portal: the reduced-motion value, nullopt when unknown; animations: enable-animations,
// nullopt without the schema.
bool MotionReduced(const std::optional<unsigned>& portal, const std::optional<bool>& animations);

// GNOME's enable-animations; nullopt when its schema or key is not installed.
std::optional<bool> GnomeAnimationsEnabled();

class TReducedMotion {
 public:
  // Starts asking the portal on bus.
  explicit TReducedMotion(QDBusConnection bus);
  ~TReducedMotion();
  TReducedMotion(const TReducedMotion&) = delete;
  TReducedMotion& operator=(const TReducedMotion&) = delete;

  bool Reduced() const;
  TPortalSettings& Portal() { return *portal_; }

 private:
  std::unique_ptr<TPortalSettings> portal_;
};
