#pragma once
// The program's name and version, in the forms the windows, the command line
// and the settings store show them. The version number itself comes from the
// project's build definition (PLOTDESK_VERSION), so it is written once.

namespace plotdesk::product {

inline constexpr char kName[] = "Curvolo";
inline constexpr char kVersion[] = PLOTDESK_VERSION;
// The title of the main window and of a newly created board window.
inline constexpr char kWindowTitle[] = "Curvolo v" PLOTDESK_VERSION;
// The version line of the splash window.
inline constexpr char kSplashVersion[] = "版本  V" PLOTDESK_VERSION;

}  // namespace plotdesk::product
