// AcGiDrawable: anything the graphics interface can draw (every database object is one).
#pragma once

#include "dbid.h"
#include "rxboiler.h"

class AcGiDrawableTraits;
class AcGiWorldDraw;
class AcGiViewportDraw;

class AcGiDrawable : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiDrawable);

    // Bits answered by setAttributes.
    enum SetAttributesFlags {
        kDrawableNone = 0,
        kDrawableIsAnEntity = 1,
        kDrawableUsesNesting = 2,
        kDrawableIsCompoundObject = 4,
        kDrawableViewIndependentViewportDraw = 8,
        kDrawableIsInvisible = 16,
        kDrawableHasAttributes = 32,
        kDrawableRegenTypeDependantGeometry = 64,
        kDrawableIsDimension = (kDrawableIsAnEntity + kDrawableIsCompoundObject + 128),
        kDrawableRegenDraw = 256,
    };
    enum DrawableType {
        kGeometry = 0,
        kDistantLight = 1,
        kPointLight = 2,
        kSpotLight = 3,
    };

    // Gives the traits the drawable is drawn with (colour, layer, linetype...).
    virtual Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) = 0;
    // Draws what does not depend on the view. Answers true when the drawing is complete, false when
    // viewportDraw must be called as well.
    virtual Adesk::Boolean worldDraw(AcGiWorldDraw* wd) = 0;
    virtual void viewportDraw(AcGiViewportDraw* vd) = 0;
    virtual Adesk::Boolean isPersistent() const = 0;
    virtual AcDbObjectId id() const = 0;
    virtual DrawableType drawableType() const { return kGeometry; }
};
