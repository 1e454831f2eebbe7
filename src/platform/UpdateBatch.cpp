#include "UpdateBatch.h"

#include <utility>
#include <vector>

namespace numora {

namespace {

struct Deferred
{
    const void *owner;
    std::function<void()> work;
};

// Forms and views live on the GUI thread only, so one state serves them all.
int g_depth = 0;
std::vector<Deferred> g_deferred;

} // namespace

UpdateBatch::UpdateBatch() { ++g_depth; }

UpdateBatch::~UpdateBatch()
{
    if (g_depth > 1) {
        --g_depth;
        return;
    }
    // Deferred work may change what other work shows; whatever it defers in
    // turn is done in the same close, so the batch ends with nothing pending.
    // The batch stays open meanwhile, which keeps that in one place.
    while (!g_deferred.empty()) {
        std::vector<Deferred> work;
        work.swap(g_deferred);
        for (Deferred &d : work)
            if (d.work)
                d.work();
    }
    g_depth = 0;
}

bool UpdateBatch::isOpen() { return g_depth > 0; }

void UpdateBatch::defer(const void *owner, std::function<void()> work)
{
    if (g_depth == 0) {
        work();
        return;
    }
    g_deferred.push_back(Deferred{owner, std::move(work)});
}

void UpdateBatch::forget(const void *owner)
{
    for (Deferred &d : g_deferred)
        if (d.owner == owner)
            d.work = nullptr;
}

} // namespace numora
