#include "FrmMain/Qt/X11KeyGrab.h"

#include <cstdlib>
#include <memory>

namespace velmora::frmmain::qt {
namespace {

// Keysyms of the keys that the modifier map binds to Mod1-Mod5.
constexpr xcb_keysym_t kNumLock = 0xFF7F;
constexpr xcb_keysym_t kAltL = 0xFFE9, kAltR = 0xFFEA;
constexpr xcb_keysym_t kSuperL = 0xFFEB, kSuperR = 0xFFEC;
constexpr std::uint8_t kBadAccess = 10;  // the error of a grab another client holds

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// The keyboard map: the keysyms of each keycode from min_keycode on.
struct KeyboardMap {
  xcb_keycode_t first = 0;
  int perKeycode = 0;
  std::vector<xcb_keysym_t> keysyms;

  explicit KeyboardMap(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    ReplyPointer<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(
            connection,
            xcb_get_keyboard_mapping(connection, first, static_cast<std::uint8_t>(count)), nullptr),
        &std::free);
    if (!reply) return;
    perKeycode = reply->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
  }

  // The first keycode that has `keysym` in its first group (unshifted or
  // shifted), else 0.
  xcb_keycode_t Keycode(xcb_keysym_t keysym) const {
    const int columns = perKeycode < 2 ? perKeycode : 2;
    for (std::size_t k = 0; perKeycode > 0 && k < keysyms.size() / perKeycode; ++k) {
      for (int c = 0; c < columns; ++c) {
        if (keysyms[k * perKeycode + c] == keysym) return static_cast<xcb_keycode_t>(first + k);
      }
    }
    return 0;
  }

  bool Carries(xcb_keycode_t keycode, xcb_keysym_t keysym) const {
    if (keycode < first || perKeycode == 0) return false;
    const std::size_t k = keycode - first;
    for (int c = 0; c < perKeycode && (k + 1) * perKeycode <= keysyms.size(); ++c) {
      if (keysyms[k * perKeycode + c] == keysym) return true;
    }
    return false;
  }
};

// The Mod1-Mod5 mask whose keys carry one of the keysyms, else `fallback`.
std::uint16_t ModifierMask(xcb_connection_t* connection, const KeyboardMap& map,
                           std::initializer_list<xcb_keysym_t> keysyms, std::uint16_t fallback) {
  ReplyPointer<xcb_get_modifier_mapping_reply_t> reply(
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr),
      &std::free);
  if (!reply) return fallback;
  const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
  const int perModifier = reply->keycodes_per_modifier;
  for (int modifier = 3; modifier < 8; ++modifier) {  // Mod1 .. Mod5
    for (int i = 0; i < perModifier; ++i) {
      for (const xcb_keysym_t keysym : keysyms) {
        if (map.Carries(keycodes[modifier * perModifier + i], keysym)) {
          return static_cast<std::uint16_t>(1u << modifier);
        }
      }
    }
  }
  return fallback;
}

}  // namespace

X11KeyGrab::X11KeyGrab(xcb_connection_t* connection, const KeyCombination& keys)
    : connection_(connection), keys_(keys) {
  for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection_));
       screen.rem > 0; xcb_screen_next(&screen)) {
    roots_.push_back(screen.data->root);
  }
  Grab();
}

X11KeyGrab::~X11KeyGrab() {
  Ungrab();
}

void X11KeyGrab::Grab() {
  const KeyboardMap map(connection_);
  keycode_ = map.Keycode(keys_.x11Keysym);
  if (keycode_ == 0) {
    outcome_ = Outcome::NoSuchKey;
    return;
  }
  const std::uint16_t alt = ModifierMask(connection_, map, {kAltL, kAltR}, XCB_MOD_MASK_1);
  const std::uint16_t super = ModifierMask(connection_, map, {kSuperL, kSuperR}, XCB_MOD_MASK_4);
  const std::uint16_t numLock = ModifierMask(connection_, map, {kNumLock}, XCB_MOD_MASK_2);
  modifiers_ = static_cast<std::uint16_t>(((keys_.modifiers & kCtrl) ? XCB_MOD_MASK_CONTROL : 0) |
                                          ((keys_.modifiers & kShift) ? XCB_MOD_MASK_SHIFT : 0) |
                                          ((keys_.modifiers & kAlt) ? alt : 0) |
                                          ((keys_.modifiers & kMeta) ? super : 0));
  lockMasks_ = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock);
  relevantMasks_ =
      static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | alt | super);

  const std::uint16_t variants[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                    static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
  std::vector<xcb_void_cookie_t> cookies;
  for (const xcb_window_t root : roots_) {
    for (const std::uint16_t variant : variants) {
      cookies.push_back(xcb_grab_key_checked(connection_, 1, root, modifiers_ | variant, keycode_,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
  }
  outcome_ = Outcome::Grabbed;
  for (const xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
      outcome_ =
          error->error_code == kBadAccess ? Outcome::TakenByAnotherClient : Outcome::NoSuchKey;
      std::free(error);
    }
  }
  if (outcome_ != Outcome::Grabbed) Ungrab();
}

void X11KeyGrab::Ungrab() {
  if (keycode_ == 0) return;
  const std::uint16_t variants[] = {0, XCB_MOD_MASK_LOCK,
                                    static_cast<std::uint16_t>(lockMasks_ & ~XCB_MOD_MASK_LOCK),
                                    lockMasks_};
  // Ungrabbing touches only this client's grabs, never another client's.
  for (const xcb_window_t root : roots_) {
    for (const std::uint16_t variant : variants) {
      xcb_ungrab_key(connection_, keycode_, root, modifiers_ | variant);
    }
  }
  xcb_flush(connection_);
}

void X11KeyGrab::Regrab() {
  Ungrab();
  Grab();
}

bool X11KeyGrab::Matches(std::uint8_t type, const xcb_generic_event_t& event) const {
  if (outcome_ != Outcome::Grabbed || (event.response_type & 0x7F) != type) return false;
  const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
  if (key.detail != keycode_) return false;
  // The modifiers may be let go before the key: only a press needs them.
  if (type == XCB_KEY_PRESS && (key.state & relevantMasks_) != modifiers_) return false;
  for (const xcb_window_t root : roots_) {
    if (key.event == root) return true;
  }
  return false;
}

bool X11KeyGrab::IsPress(const xcb_generic_event_t& event) const {
  return Matches(XCB_KEY_PRESS, event);
}

bool X11KeyGrab::IsRelease(const xcb_generic_event_t& event) const {
  return Matches(XCB_KEY_RELEASE, event);
}

}  // namespace velmora::frmmain::qt
