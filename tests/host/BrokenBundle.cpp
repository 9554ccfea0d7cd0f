// Libraries that look like bundles but break the entry contract, one per
// BROKEN_KIND, so the host's failure paths can be exercised.
#define BROKEN_NO_ENTRY 0
#define BROKEN_NO_FACTORY 1
#define BROKEN_ENTRY_FAILS 2

extern "C"
{
#if BROKEN_KIND == BROKEN_NO_ENTRY
    __attribute__((visibility("default"))) int NotAnEntry()
    {
        return 0;
    }
#else
    __attribute__((visibility("default"))) bool ModuleEntry(void*)
    {
        return BROKEN_KIND != BROKEN_ENTRY_FAILS;
    }
    __attribute__((visibility("default"))) bool ModuleExit()
    {
        return true;
    }
#endif
}
