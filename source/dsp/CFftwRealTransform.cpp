#include "dsp/CFftwRealTransform.h"

#include <cstddef>
#include <fftw3.h>
#include <mutex>

namespace
{
// FFTW's planner is shared by the whole process: plug-in instances built on different
// host threads, and other code in the host that plans with the same library. The library's
// own lock covers the latter; ours keeps our allocation and planning together.
std::mutex& plannerMutex()
{
    static std::mutex mutex;
    static const bool threadSafe = (fftw_make_planner_thread_safe(), true);
    (void)threadSafe;
    return mutex;
}

int liveTransforms = 0; // guarded by plannerMutex
} // namespace

void CFftwRealTransform::releasePlannerMemory()
{
    const std::lock_guard<std::mutex> lock(plannerMutex());
    if (liveTransforms == 0)
        fftw_cleanup();
}

CFftwRealTransform::CFftwRealTransform(int size, Direction direction)
{
    const std::lock_guard<std::mutex> lock(plannerMutex());
    ++liveTransforms;
    m_pTime = fftw_alloc_real(static_cast<std::size_t>(size));
    m_pBins = reinterpret_cast<double*>(fftw_alloc_complex(static_cast<std::size_t>(size / 2 + 1)));
    for (int i = 0; i < size; ++i)
        m_pTime[i] = 0.0;
    for (int i = 0; i < size + 2; ++i)
        m_pBins[i] = 0.0;
    auto* bins = reinterpret_cast<fftw_complex*>(m_pBins);
    m_pPlan = direction == Direction::Forward
                  ? fftw_plan_dft_r2c_1d(size, m_pTime, bins, FFTW_ESTIMATE)
                  : fftw_plan_dft_c2r_1d(size, bins, m_pTime, FFTW_ESTIMATE);
}

CFftwRealTransform::~CFftwRealTransform()
{
    const std::lock_guard<std::mutex> lock(plannerMutex());
    fftw_destroy_plan(static_cast<fftw_plan>(m_pPlan));
    fftw_free(m_pBins);
    fftw_free(m_pTime);
    --liveTransforms;
}

void CFftwRealTransform::execute()
{
    fftw_execute(static_cast<fftw_plan>(m_pPlan));
}
