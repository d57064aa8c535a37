#ifndef ZORVY_APP_IDENTITY_H
#define ZORVY_APP_IDENTITY_H

// Who the application is: its names, version and signature.
inline constexpr char gAppNameJaJp[] = "Zorvy 環境設定";
inline constexpr char gAppNameEnUs[] = "Zorvy Preferences";
inline constexpr char gAppVer[] = "Ver 1.40";
// The copyright line of the About box; the author's name takes the place of %AppAuthor%.
inline constexpr char gCright[] = "Copyright © 2026 %AppAuthor%. All rights reserved.";
inline constexpr char gAppAuthorJaJp[] = "ＭＯＺＥＬＴ";
inline constexpr char gAppAuthorEnUs[] = "MOZELT";
inline constexpr char gAppSignature[] = "application/x-vnd.MOZELT-ZorvyPreferences";
// The program's file name, which starts its messages on standard error.
inline constexpr char kProgramName[] = "ZorvyPreferences";

#endif
