#pragma once
// The program's version as the help menu shows it.
#include <QString>

inline constexpr int kMajorVersion = 1;
inline constexpr int kMinorVersion = 3;
// The release date shown beside the version.
inline constexpr char kReleaseDate[] = "2001/10/13";
// The distributor's page opened from the help menu, as the build configured it;
// empty when none was.
QString WebsiteAddress();
