#pragma once

// A real FFT of one power-of-two size and one direction with its own aligned buffers,
// backed by FFTW. All planning happens in the constructor; execute() never allocates.
// The inverse direction is unnormalised and overwrites the spectrum.
class CFftwRealTransform
{
public:
    enum class Direction
    {
        Forward,
        Inverse
    };

    CFftwRealTransform(int size, Direction direction);
    ~CFftwRealTransform();

    CFftwRealTransform(const CFftwRealTransform&) = delete;
    CFftwRealTransform& operator=(const CFftwRealTransform&) = delete;

    // size real samples.
    double* time() { return m_pTime; }
    // size/2 + 1 complex bins, interleaved (re, im).
    double* bins() { return m_pBins; }

    void execute();

    // Frees the planner's caches once no transform is left. The plug-in links
    // its own copy of FFTW, so this touches nobody else's plans; without it
    // every unload of the plug-in would lose that memory.
    static void releasePlannerMemory();

private:
    double* m_pTime;
    double* m_pBins;
    void* m_pPlan;
};
