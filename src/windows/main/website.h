#pragma once

namespace vellumar {

// The maker's website, opened by "Visit Website".
inline constexpr char kWebsiteAddress[] = "https://vellumar.example/";

}  // namespace vellumar
