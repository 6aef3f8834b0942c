#pragma once

#include "print/pdfdocument.h"
#include "sheet/printmaster.h"
#include "sheet/scaledpicture.h"

#include <QImage>

#include <stop_token>

namespace vellora::print {

// One bar for the print master drawn on the worker and the pages made from it after: the master takes the
// first part, about as long as it takes beside a deck's pages.
inline constexpr int kBarSteps = 1000;
inline constexpr int kMasterSteps = 200;

// The picture pages are made from: the master drawn from `record`, its progress the bar's first part, or the
// sheet itself when there is no record, each with its scale. Null when stopped meanwhile.
ScaledPicture masterPicture(const QImage &sheet, const PrintRecord &record, const PageProgress &progress,
                     std::stop_token stop);
// The pages' progress on the rest of the bar.
PageProgress afterMaster(const PageProgress &progress);

} // namespace vellora::print
