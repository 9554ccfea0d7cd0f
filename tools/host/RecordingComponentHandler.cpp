#include "host/RecordingComponentHandler.h"

using namespace Steinberg;

namespace ZargHost
{

RecordingComponentHandler::RecordingComponentHandler(){FUNKNOWN_CTOR}

IMPLEMENT_REFCOUNT(RecordingComponentHandler)

    tresult PLUGIN_API RecordingComponentHandler::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, Vst::IComponentHandler)
    QUERY_INTERFACE(_iid, obj, Vst::IComponentHandler::iid, Vst::IComponentHandler)
    QUERY_INTERFACE(_iid, obj, Vst::IUnitHandler::iid, Vst::IUnitHandler)
    if (runLoop && FUnknownPrivate::iidEqual(_iid, Linux::IRunLoop::iid))
    {
        runLoop->addRef();
        *obj = runLoop.get();
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

tresult RecordingComponentHandler::record(Kind kind, uint32 id, Vst::ParamValue value, int32 number)
{
    if (locked)
        ++reentrant;
    recorded.push_back(Call{kind, id, value, number});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::beginEdit(Vst::ParamID id)
{
    return record(Kind::BeginEdit, id, 0.0, 0);
}

tresult PLUGIN_API RecordingComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
    return record(Kind::PerformEdit, id, value, 0);
}

tresult PLUGIN_API RecordingComponentHandler::endEdit(Vst::ParamID id)
{
    return record(Kind::EndEdit, id, 0.0, 0);
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent(int32 flags)
{
    return record(Kind::RestartComponent, 0, 0.0, flags);
}

tresult PLUGIN_API RecordingComponentHandler::notifyUnitSelection(Vst::UnitID unitId)
{
    return record(Kind::UnitSelection, static_cast<uint32>(unitId), 0.0, 0);
}

tresult PLUGIN_API RecordingComponentHandler::notifyProgramListChange(Vst::ProgramListID listId,
                                                                      int32 programIndex)
{
    return record(Kind::ProgramListChange, static_cast<uint32>(listId), 0.0, programIndex);
}

} // namespace ZargHost
