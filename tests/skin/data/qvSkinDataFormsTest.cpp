// The skin data's broadcasts on real (headless) forms: through each form's window, owner first,
// then the screen's forms in creation order.
#include "skin/data/qvSkinData.h"

#include "ApplicationFixture.h"
#include "qvSkinDataTestSupport.h"

#include <gtest/gtest.h>

using namespace qv;

class SkinDataFormsTest : public ApplicationFixture {};

namespace {

struct Received {
    vcl::TForm* form;
    UINT message;
    friend bool operator==(const Received&, const Received&) = default;
};

// Records the skin messages that reach form's WindowProc, then passes them on.
void Listen(vcl::TForm* form, std::vector<Received>& log, std::function<void(UINT)> also = {}) {
    vcl::TWndMethod old = form->WindowProc;
    form->WindowProc = [form, &log, old, also](vcl::TMessage& m) {
        if (m.Msg >= QVM_SKIN_CHANGING && m.Msg <= QVM_SKIN_CHANGED) {
            EXPECT_EQ(m.LParam, 1000);
            log.push_back({form, m.Msg});
            if (also) {
                also(m.Msg);
            }
        }
        old(m);
    };
}

const std::string kText = "[VERSION]\r\n[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n";

} // namespace

TEST_F(SkinDataFormsTest, SkinMessagesGoToTheOwnerFormFirstThenTheScreensForms) {
    auto* f1 = new vcl::TForm(app.get());
    auto* f2 = new vcl::TForm(app.get());
    auto* f3 = new vcl::TForm(app.get());
    std::vector<Received> log;
    for (auto* f : {f1, f2, f3}) {
        Listen(f, log);
    }
    auto* data = new TqvSkinData(f2);
    TqvCompressedStoredSkin stored(nullptr);
    TqvSkinContainerParts parts;
    parts.flaggedPictures = {{}, {}, {}};
    parts.text = kText;
    qvtest::SetStoredContainer(stored, WriteSkinContainer(parts));
    data->SetCompressedStoredSkin(&stored);

    std::vector<Received> expected;
    for (UINT m : {QVM_SKIN_CHANGING, QVM_SKIN_CHANGE, QVM_SKIN_CHANGED}) {
        for (auto* f : {f2, f1, f3}) {
            expected.push_back({f, m});
        }
    }
    EXPECT_EQ(log, expected);
    EXPECT_EQ(data->IndexOfControlSkin("button"), 0);
}

TEST_F(SkinDataFormsTest, AFormFreedByAReceiverIsNotSentTo) {
    auto* f1 = new vcl::TForm(app.get());
    auto* f2 = new vcl::TForm(app.get());
    std::vector<Received> log;
    Listen(f1, log, [&](UINT m) {
        if (m == QVM_SKIN_CHANGING && f2 != nullptr) {
            delete f2;
            f2 = nullptr;
        }
    });
    vcl::TComponent owner(nullptr);
    auto* data = new TqvSkinData(&owner);
    data->BroadcastSkinMessage(QVM_SKIN_CHANGING);
    EXPECT_EQ(log, (std::vector<Received>{{f1, QVM_SKIN_CHANGING}}));
    EXPECT_EQ(f2, nullptr);
}
