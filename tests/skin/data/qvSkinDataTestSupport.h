#pragma once
// Small synthetic skins for the skin data tests: BMP files, containers, skin folders on disk
// (in a TempFolder) and a message route that records what the skin data broadcasts.

#include "platform/gfx/BmpCodec.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvtest {

inline qv::TqvBytes MakeBmp(int width, int height, int bits, gfx::Pixel fill) {
    gfx::Bitmap bitmap(width, height, fill);
    return gfx::WriteBmp(bitmap, bits);
}

// A stored skin holding the zlib stream of container.
inline void SetStoredContainer(qv::TqvCompressedStoredSkin& stored, const qv::TqvBytes& container) {
    qv::TqvBytes z = qv::DeflateSkinStream(container);
    stored.CompressedStream().Clear();
    stored.CompressedStream().WriteBuffer(z.data(), std::int64_t(z.size()));
}

struct Delivery {
    vcl::TComponent* form;
    UINT message;
    bool isEmpty;
    bool isChanging;
    friend bool operator==(const Delivery&, const Delivery&) = default;
};

// Stands in for the screen: the given forms in order; every send is recorded with the skin
// data's state at that moment.
class RecordingRoute : public qv::IqvSkinMessageRoute {
public:
    std::vector<vcl::TComponent*> forms;
    std::vector<Delivery> log;

    bool IsForm(vcl::TComponent* c) override {
        for (auto* f : forms) {
            if (f == c) {
                return true;
            }
        }
        return false;
    }
    std::vector<vcl::TComponent*> Forms() override { return forms; }
    void Send(vcl::TComponent* form, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto* data = reinterpret_cast<qv::TqvSkinData*>(wParam);
        EXPECT_EQ(lParam, 1000);
        log.push_back({form, message, data->IsEmpty(), data->IsChanging()});
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> m;
        for (const Delivery& d : log) {
            m.push_back(d.message);
        }
        return m;
    }
};

} // namespace qvtest
