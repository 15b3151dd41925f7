// The tags of the link, image and embedded-object dialogs.
#pragma once

#include "dialogs/tagreader.h"

#include <optional>
#include <string>

namespace tv {

const TagSpec& anchorSpec();
const TagSpec& imageSpec();

// The image tag: HEIGHT and WIDTH only when the size box ("wh") is ticked.
std::string buildImageTag(std::string tag, const Fields& fields);

// Puts a scheme ("ftp://", "news:") in place of the address's own.
std::string applyScheme(const std::string& url, const std::string& scheme);

// The insert-only dialogs; nullopt when nothing is to be inserted.
std::optional<PendingTexts> embedTexts(const Fields& f);
std::optional<PendingTexts> soundTexts(const Fields& f);
std::optional<PendingTexts> appletTexts(const Fields& f);
std::optional<PendingTexts> paramTexts(const Fields& f);
PendingTexts marqueeTexts(const Fields& f);

} // namespace tv
