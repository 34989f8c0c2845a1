#pragma once
#include "components/Win32.h"

#include <functional>

#include "components/TPersistent.h"

// Base of the GDI wrappers (font, brush, pen): keeps one GDI handle, made when first asked for
// and dropped whenever a property changes, and tells its user about every change.
class TGraphicsObject : public TPersistent {
    DECLARE_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    std::function<void(TObject*)> OnChange;

protected:
    void Changed();
    HGDIOBJ CachedHandle() const { return FHandle; }
    void SetCachedHandle(HGDIOBJ handle);
    void DropHandle();

private:
    HGDIOBJ FHandle = nullptr;
};
