#pragma once
#include <functional>

namespace numora {

// A run of many changes whose in-between states nobody looks at (one tick of
// a print run writes the start number field sixty times). While a batch is
// open, work that only shows a state, such as a view re-laying out its widget
// or a readout measuring its text, is deferred and done once when the
// outermost batch closes, from the state the changes left. Behaviour never
// waits on a batch: only such showing work is deferred.
class UpdateBatch
{
public:
    UpdateBatch();
    ~UpdateBatch();
    UpdateBatch(const UpdateBatch &) = delete;
    UpdateBatch &operator=(const UpdateBatch &) = delete;

    static bool isOpen();
    // Runs `work` when the outermost batch closes, or at once when none is
    // open. The caller keeps its own mark so that it defers once per batch.
    // `owner` names the object the work belongs to, for forget().
    static void defer(const void *owner, std::function<void()> work);
    // Drops the deferred work of an object that goes away.
    static void forget(const void *owner);
};

} // namespace numora
