#include "print/masterpicture.h"

namespace vellora::print {

ScaledPicture masterPicture(const QImage &sheet, const PrintRecord &record, const PageProgress &progress,
                     std::stop_token stop)
{
    if (record.isEmpty()) {
        if (progress)
            progress(kMasterSteps, kBarSteps);
        return {sheet, 1};
    }
    return {record.render(
        [&progress](int done, int total) {
            if (progress)
                progress(int(qint64(done) * kMasterSteps / total), kBarSteps);
        },
        stop),
            master::kScale};
}

PageProgress afterMaster(const PageProgress &progress)
{
    if (!progress)
        return {};
    return [progress](int done, int total) {
        const qint64 part = total > 0 ? qint64(done) * (kBarSteps - kMasterSteps) / total : 0;
        progress(kMasterSteps + int(part), kBarSteps);
    };
}

} // namespace vellora::print
