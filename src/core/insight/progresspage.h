#pragma once

#include "progress.h"

#include <QColor>

#include <array>

namespace qv {
    class PageEngine;
}

namespace qv::insight {

    // The colour each bucket is drawn in, in bucket order.
    using BucketColours = std::array<QColor, BucketCount>;

    // Composes the progress summary from the engine's current y on an open document: a bar per family
    // and one for all safeguards, each split into the buckets with its counts written on it, the
    // worksheets' bar, and the Required safeguards not yet completed. Text takes the engine's text
    // colour. Returns the y below the last line.
    double composeProgressPage(PageEngine& engine, const Progress& progress, const BucketColours& colours);

} // namespace qv::insight
