// Class registration: the surface class's registration values, and a repeated initialisation.
#include <gtest/gtest.h>

#include "app/class_registry.h"
#include "dbpl.h"
#include "rxdict.h"
#include "surfaces/ne_surface.h"

namespace {

TEST(ClassRegistry, SurfaceClassIsAPolylineUnderKelvora)
{
    kelvora::app::registerClasses();
    AcRxClass* surface = NESurface::desc();
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(surface->isDerivedFrom(AcDbPolyline::desc()));
    EXPECT_EQ(std::wstring(surface->dxfName()), L"NSPOLY");
    EXPECT_EQ(std::wstring(surface->appName()), L"KELVORA");
    EXPECT_EQ(surface->proxyFlags(), 0xFF);
    AcRxObject* made = surface->create();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), surface);
    delete made;
}

TEST(ClassRegistry, RepeatedInitialisationCreatesNothing)
{
    kelvora::app::registerClasses();
    AcRxClass* first = NESurface::gpDesc;
    kelvora::app::registerClasses();
    EXPECT_EQ(NESurface::gpDesc, first);
    EXPECT_EQ(acrxClassDictionary->at(L"NESurface"), first);
}

TEST(ClassRegistry, UnloadAndLoadAgainRegistersAfresh)
{
    kelvora::app::registerClasses();
    kelvora::app::unregisterClasses();
    EXPECT_EQ(acrxFindAcRxClass(L"NESurface"), nullptr);
    kelvora::app::registerClasses();
    AcRxClass* again = acrxFindAcRxClass(L"NESurface");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again, NESurface::gpDesc);
}

}  // namespace
