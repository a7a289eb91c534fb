#include "state/status_text.h"

#include <gtest/gtest.h>

#include "support/edit_fixture.h"

TEST(StatusText, FollowsThePointerTheSelectionTheCountsAndTheZoom) {
  EditFixture fx;
  fx.setUp(30, 24);
  fx.addCell(2, 2);
  fx.addObjectOfDef(0, 5, 5)->state = Selected;
  editor.mouseX = fx.clientX(3) + 15;
  editor.mouseY = fx.clientY(4);
  char text[StatusTextSize];
  formatStatusText(text, sizeof text);
  EXPECT_STREQ(text, "block 3, 4   level 30 x 24   selected 1   objects 1/64   elements 2/2500   zoom 1");

  fx.addCell(3, 2)->state = BandMarked;  // a band in progress counts as released
  fx.setZoom(2);
  editor.mouseX = fx.clientX(0) - 1;  // off the level's left edge
  formatStatusText(text, sizeof text);
  EXPECT_STREQ(text, "block -   level 30 x 24   selected 2   objects 1/64   elements 3/2500   zoom 2");
}
