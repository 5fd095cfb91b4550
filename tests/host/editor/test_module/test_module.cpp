// A tiny application for the application loader's tests: a custom entity class, a command group, a dialog template.
//
// It is built without linking the host: the test executable that loads it exports the host's
// functions, as the real host executable does for its applications. Its state is read by the tests
// through kvTestState() (dlsym on the loaded library).
#include <cstdlib>

#include "accmd.h"
#include "acedads.h"
#include "acgi.h"
#include "afxdllx.h"
#include "appinfo.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "kelvora/applications.h"
#include "kelvora/dialog_template.h"
#include "rxregsvc.h"
#include "test_module_state.h"

namespace {

constexpr const ACHAR* kGroup = ACRX_T("KVTEST");

KvTestModuleState g_state;
AFX_EXTENSION_MODULE g_extension;

}  // namespace

// A dot with a label: drawn as a circle of radius 1, filed with its own subclass data.
class KvTestDot : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(KvTestDot);

    KvTestDot() = default;

    AcGePoint3d centre() const
    {
        assertReadEnabled();
        return m_centre;
    }
    int label() const
    {
        assertReadEnabled();
        return m_label;
    }
    void set(const AcGePoint3d& centre, int label)
    {
        assertWriteEnabled();
        m_centre = centre;
        m_label = label;
    }

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override
    {
        assertReadEnabled();
        mode->geometry().circle(m_centre, 1.0, AcGeVector3d::kZAxis);
        return Adesk::kTrue;
    }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override
    {
        assertReadEnabled();
        Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
        if (es != Acad::eOk)
            return es;
        filer->writePoint3d(m_centre);
        filer->writeInt32(m_label);
        return filer->filerStatus();
    }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override
    {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
        if (es != Acad::eOk)
            return es;
        Adesk::Int32 label = 0;
        if ((es = filer->readPoint3d(&m_centre)) != Acad::eOk || (es = filer->readInt32(&label)) != Acad::eOk)
            return es;
        m_label = label;
        return Acad::eOk;
    }

    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override
    {
        assertReadEnabled();
        Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
        if (es != Acad::eOk)
            return es;
        filer->writeString(AcDb::kDxfSubclass, ACRX_T("KvTestDot"));
        filer->writePoint3d(AcDb::kDxfXCoord, m_centre);
        filer->writeInt32(AcDb::kDxfInt32, m_label);
        return filer->filerStatus();
    }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override
    {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
        if (es != Acad::eOk)
            return es;
        if (!filer->atSubclassData(ACRX_T("KvTestDot")))
            return Acad::eBadDxfSequence;
        resbuf rb{};
        while (filer->readResBuf(&rb) == Acad::eOk) {
            if (rb.restype == AcDb::kDxfXCoord)
                m_centre = AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
            else if (rb.restype == AcDb::kDxfInt32)
                m_label = rb.resval.rlong;
            else {
                filer->pushBackItem();
                break;
            }
        }
        return Acad::eOk;
    }

private:
    AcGePoint3d m_centre;
    int m_label = 0;
};

ACRX_DXF_DEFINE_MEMBERS(KvTestDot, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0x3FF, KVTESTDOT,
                        KVTEST)

namespace {

AcEdCommandStack* commandStack()
{
    return AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}

void helloCommand()
{
    ++g_state.commandRuns;
    acutPrintf(ACRX_T("\nhello from the test module"));
}

// Adds a dot at the point asked, with the label asked.
void dotCommand()
{
    ads_point at{0.0, 0.0, 0.0};
    if (acedGetPoint(nullptr, ACRX_T("\nDot at: "), at) != RTNORM)
        return;
    int label = 0;
    if (acedGetInt(ACRX_T("\nLabel: "), &label) != RTNORM)
        return;
    auto* dot = new KvTestDot();
    dot->set(AcGePoint3d(at[0], at[1], at[2]), label);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete dot;
        return;
    }
    if (space->appendAcDbEntity(dot) == Acad::eOk)
        dot->close();
    else
        delete dot;
    space->close();
}

// Unloads the test module itself through ARX: the host must refuse while this command runs.
void selfUnloadCommand()
{
    acedCommand(RTSTR, ACRX_T("_.ARX"), RTSTR, ACRX_T("_U"), RTSTR, ACRX_T("kvtest_module"), 0);
}

void initApplication(void* appId)
{
    acrxRegisterAppMDIAware(appId);
    AcadAppInfo info;
    info.setModuleName(acedGetAppName());
    info.setAppDesc(ACRX_T("Kvtest"));
    info.setAppName(ACRX_T("Kvtest"));
    info.setLoadReason(AcadApp::LoadReasons(AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest));
    info.writeToRegistry(false, false);
    KvTestDot::rxInit();
    acrxBuildClassHierarchy();
    commandStack()->addCommand(kGroup, ACRX_T("_KVHELLO"), ACRX_T("KVHELLO"), ACRX_CMD_MODAL, &helloCommand);
    commandStack()->addCommand(kGroup, ACRX_T("_KVDOT"), ACRX_T("KVDOT"), ACRX_CMD_MODAL, &dotCommand);
    commandStack()->addCommand(kGroup, ACRX_T("KVSELFUNLOAD"), ACRX_T("KVSELFUNLOAD"), ACRX_CMD_MODAL,
                               &selfUnloadCommand);
}

void unloadApplication()
{
    commandStack()->removeGroup(kGroup);
    deleteAcRxClass(KvTestDot::desc());
    KvTestDot::gpDesc = nullptr;
}

}  // namespace

KELVORA_MODULE_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
{
    switch (message) {
    case AcRx::kInitAppMsg:
        ++g_state.initMessages;
        if (std::getenv("KVTEST_REFUSE_INIT") != nullptr)
            return AcRx::kRetError;
        initApplication(appId);
        break;
    case AcRx::kUnloadAppMsg:
        ++g_state.unloadMessages;
        unloadApplication();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

KELVORA_MODULE_EXPORT int acrxGetApiVersion()
{
    if (const char* forced = std::getenv("KVTEST_API_VERSION"))
        return static_cast<int>(std::strtol(forced, nullptr, 0));
    return kHostApiVersion;
}

KELVORA_MODULE_EXPORT BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ++g_state.attaches;
        g_state.resources = module;
        if (AfxInitExtensionModule(g_extension, module))
            new CDynLinkLibrary(g_extension);
        kelvora::DialogTemplate dialog;
        dialog.id = 4242;
        dialog.title = L"Test dialog";
        g_state.addedTemplate = kelvora::addDialogTemplate(module, dialog);
    } else if (reason == DLL_PROCESS_DETACH) {
        ++g_state.detaches;
        AfxTermExtensionModule(g_extension);
    }
    return TRUE;
}

KELVORA_MODULE_EXPORT const void* kvTestState()
{
    return &g_state;
}
