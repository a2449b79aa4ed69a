#pragma once
// A headless screen and application per test, a form to put controls on, and skins to bind them
// to: the program's embedded skin or a small skin made from description text and pictures.

#include "ApplicationFixture.h"
#include "EmbeddedSkin.h"

#include "framework/Forms.h"
#include "platform/gfx/BmpCodec.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ControlsFixture : public ApplicationFixture {
protected:
    void SetUp() override {
        ApplicationFixture::SetUp();
        form = new vcl::TForm(app.get());
        form->SetBounds(20, 20, 800, 300);
    }

    // A skin data owned by the form, loaded with the embedded skin.
    qv::TqvSkinData* EmbeddedSkin() {
        auto* skin = new qv::TqvSkinData(form);
        qv::TqvBytes container =
            qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
        skin->LoadFromContainer(container);
        return skin;
    }
    // A skin data loaded from description text and extra pictures (no form pictures).
    qv::TqvSkinData* TextSkin(const std::string& text, const std::vector<gfx::Bitmap>& pictures) {
        auto* skin = new qv::TqvSkinData(form);
        LoadText(*skin, text, pictures);
        return skin;
    }
    static void LoadText(qv::TqvSkinData& skin, const std::string& text,
                         const std::vector<gfx::Bitmap>& pictures) {
        qv::TqvSkinContainerParts parts;
        parts.flaggedPictures.assign(3, qv::TqvBytes{});
        for (const gfx::Bitmap& picture : pictures) {
            parts.extraPictures.push_back(gfx::WriteBmp(picture, 24));
        }
        parts.text = text;
        skin.LoadFromContainer(qv::WriteSkinContainer(parts));
    }

    void Show() {
        form->Show();
        Settle();
        UpdateWindow(form->Handle());
    }
    // Moves the headless clock on in steps, handling the timers that fall due on the way.
    void Advance(int ms, int step = 10) {
        for (int t = 0; t < ms; t += step) {
            screen->AdvanceClock(std::uint64_t(step));
            Settle();
        }
    }
    void Press(vcl::TControl* c, int x, int y) {
        MoveTo(c, x, y);
        screen->MouseDown();
        Settle();
    }
    void Release() {
        screen->MouseUp();
        Settle();
    }

public:
    gfx::Bitmap ScreenShot() { return screen->ReadScreen(); }

protected:
    COLORREF ScreenPixel(vcl::TControl* c, int x, int y) {
        POINT p = ScreenAt(c, x, y);
        return gfx::PixelToColor(screen->ReadScreen().GetPixel(p.x, p.y));
    }

    vcl::TForm* form = nullptr;
};
