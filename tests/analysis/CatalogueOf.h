#pragma once
// A catalogue read from a test's own text, which must hold no bad entry.

#include "analysis/CrawlerCatalogue.h"

#include <gtest/gtest.h>

inline analysis::CrawlerCatalogue CatalogueOf(std::string_view text) {
    analysis::CrawlerCatalogue c;
    std::vector<analysis::CatalogueError> errors;
    c.Load(text, "test.ini", errors);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].Text());
    return c;
}
