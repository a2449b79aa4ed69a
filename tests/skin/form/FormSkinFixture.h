#pragma once
// A headless screen with one monitor, an application, and forms carrying a form skin bound to the
// program's embedded skin.

#include "ApplicationFixture.h"
#include "EmbeddedSkin.h"

#include "framework/Forms.h"
#include "platform/gfx/DCApi.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"

#include <gtest/gtest.h>

#include <memory>

// The default monitor reserves its bottom 40 rows; tests may replace `config` before SetUp.
class FormSkinFixture : public ApplicationFixture {
protected:
    static const qv::TqvBytes& Container() {
        static const qv::TqvBytes bytes =
            qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
        return bytes;
    }

    struct Skinned {
        vcl::TForm* form;
        qv::TqvVeltrane* skin;
        qv::TqvSkinData* data;
    };

    // A sizeable form of the given window size at (x, y) with a form skin; the embedded skin is
    // loaded when withSkin is set. The form is shown unless show is false.
    Skinned MakeForm(int x, int y, int w, int h, bool withSkin = true, bool show = true) {
        auto* form = new vcl::TForm(app.get());
        form->SetCaption("Skinned");
        form->SetBounds(x, y, w, h);
        auto* skin = new qv::TqvVeltrane(form);
        auto* data = new qv::TqvSkinData(form);
        skin->SetSkinData(data);
        if (withSkin) {
            data->LoadFromContainer(Container());
        }
        if (show) {
            form->Show();
        }
        Settle();
        return Skinned{form, skin, data};
    }

    // Moves the clock on so window timers fire, then handles what they caused.
    void Wait(int ms) {
        screen->AdvanceClock(std::uint64_t(ms));
        Settle();
    }

    // The whole window (frame included) as the frame print request paints it.
    static gfx::Bitmap PrintFrame(vcl::TForm* form) {
        gfx::Bitmap bitmap(form->Width(), form->Height(), 0x00FF00FF);
        gfx::DC dc(&bitmap);
        SendMessage(form->Handle(), qv::kFramePrintMessage, WPARAM(&dc), 0);
        return bitmap;
    }
};
