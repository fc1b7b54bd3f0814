#pragma once
// Identifiers of the about box (dialog 100); every control's objectName carries its number.

inline constexpr int kIdAboutDialog = 100;
inline constexpr int kIdAboutIcon = 128;      // the program icon (icon resource 128, as the main frame)
inline constexpr int kIdAboutVersion = 1081;  // "Version: ..."
inline constexpr int kIdAboutLegal = 1082;    // the legal notice
inline constexpr int kIdAboutEmail = 1047;    // "e-mail : " and the address, opens a new message
inline constexpr int kIdAboutWebSite = 1048;  // "web-site : " and the address, opens the site
inline constexpr int kIdAboutClose = 1;       // "Close"
