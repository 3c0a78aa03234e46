// What the hostile-input tests allow a run of this build.
#pragma once

namespace velmora::hostile {

// How much slower this build runs than a plain optimised one: the sanitizer
// builds get more time before a run counts as too slow.
constexpr double SlowdownOfThisBuild() {
#if defined(__SANITIZE_ADDRESS__)
  return 10.0;
#elif defined(__OPTIMIZE__)
  return 1.0;
#else
  return 4.0;
#endif
}

// Whether peak memory means anything in this build: AddressSanitizer's
// shadow memory and quarantine dwarf what the program itself uses.
constexpr bool MeasuresMemory() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#else
  return true;
#endif
}

}  // namespace velmora::hostile
