// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphViewController.h"

#include "graphics/BitmapContext.h"
#include "graphics/Gradient.h"
#include "graphics/Image.h"
#include "graphs/GraphDownScene.h"
#include "graphs/GraphFooter.h"
#include "graphs/GraphLegend.h"
#include "graphs/GraphScene.h"
#include "graphs/GraphViewControllerDataSource.h"
#include "ui/ImageView.h"
#include "ui/ScrollView.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace florelle {

namespace {

constexpr double quarterTurn = 1.5705;
constexpr double rootWidth = 500;
constexpr double rootHeight = 400;
constexpr double stripWidth = 238;
constexpr double plotTop = 30;
// The reflection takes a fifth of the scene's length, drawn as the screen
// draws (two pixels a point).
constexpr double reflectionShare = 0.2;
constexpr double reflectionScale = 2;

} // namespace

void GraphViewController::loadView() {
    constructView();
}

void GraphViewController::constructView() {
    auto root = std::make_shared<View>(Rect(0, 0, rootWidth, rootHeight));
    root->setClipsToBounds(true);

    auto background = std::make_shared<ImageView>(Rect(-40, 40, 400, 320));
    background->setImage(Image::named("background_graph.png"));
    background->setTransform(AffineTransform::rotation(quarterTurn));
    root->addSubview(background);

    auto dock = std::make_shared<ImageView>(Rect(-7, 0, 60, 400));
    dock->setImage(Image::named("dock.png"));
    root->addSubview(dock);

    scrollView_ = std::make_shared<ScrollView>(Rect(0, 0, stripWidth, rootHeight));
    scrollView_->setContentSize(Size{stripWidth, rootHeight});
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    root->addSubview(scrollView_);

    footer_ = std::make_shared<GraphFooter>(Rect(0, 0, 13, rootHeight));
    downScene_ = std::make_shared<GraphDownScene>(Rect(13, plotTop, 32, rootHeight));
    scene_ = std::make_shared<GraphScene>(Rect(45, plotTop, sceneWidth, rootHeight));
    scrollView_->addSubview(footer_);
    scrollView_->addSubview(downScene_);
    scrollView_->addSubview(scene_);
    reflectionView_ = std::make_shared<ImageView>(Rect(0, 200, 320, 40));
    reflectionView_->setAlpha(reflectionAlpha);
    reflectionView_->setUserInteractionEnabled(false);
    scrollView_->addSubview(reflectionView_);

    legend_ = std::make_shared<GraphLegend>(Rect(stripWidth, plotTop, 70, rootHeight));
    root->addSubview(legend_);

    setView(root);
}

const std::shared_ptr<ScrollView>& GraphViewController::scrollView() {
    view();
    return scrollView_;
}

const std::shared_ptr<GraphScene>& GraphViewController::graphScene() {
    view();
    return scene_;
}

const std::shared_ptr<GraphDownScene>& GraphViewController::graphDownScene() {
    view();
    return downScene_;
}

const std::shared_ptr<GraphFooter>& GraphViewController::graphFooter() {
    view();
    return footer_;
}

const std::shared_ptr<GraphLegend>& GraphViewController::graphLegend() {
    view();
    return legend_;
}

const std::shared_ptr<ImageView>& GraphViewController::reflectionView() {
    view();
    return reflectionView_;
}

Image GraphViewController::reflectedImageRepresentationWithHeight(double height) {
    view();
    if (height <= 0) {
        return Image();
    }
    Size size{sceneWidth, height};
    // Grey from white at the mirror line to black: shown there, gone at the far end.
    BitmapContext mask(Size{1, height}, reflectionScale);
    mask.drawLinearGradient(Gradient{{{0, Color::white()}, {1, Color::black()}}}, Point{0, 0},
                            Point{0, height}, true);
    BitmapContext bitmap(size, reflectionScale);
    bitmap.save();
    bitmap.clipToMask(Rect(Point{0, 0}, size), mask.image().alphaFromLuminance());
    // Mirrored at the bars' end: the scene's points just before it come first.
    Rect shown = scene_->bounds();
    shown.size.width = sceneWidth;
    bitmap.translate(0, scene_->getItemsEnd());
    bitmap.scale(1, -1);
    scene_->drawContent(bitmap, shown);
    bitmap.restore();
    return bitmap.image();
}

void GraphViewController::viewDidAppear(bool animated) {
    if (!animated) {
        return;
    }
    view();
    std::vector<GraphDataGroup> groups;
    std::vector<std::string> names;
    std::map<std::string, std::string> legendImages;
    int sections = dataSource_ ? dataSource_->getNumberOfSections() : 0;
    for (int i = 0; i < sections; ++i) {
        GraphDataGroup group;
        group.itemName = dataSource_->getSectionNameForIndex(i);
        group.values = dataSource_->getData(*this, i);
        legendImages[group.itemName] = dataSource_->getSectionLegendNameForIndex(i);
        names.push_back(group.itemName);
        groups.push_back(std::move(group));
    }

    legend_->setUp(groups);
    legend_->setSectionNames(std::move(names));
    legend_->setImageNames(std::move(legendImages));
    for (GraphBasicView* drawn :
         std::initializer_list<GraphBasicView*>{scene_.get(), footer_.get(), downScene_.get()}) {
        drawn->setUp(groups);
        drawn->setTowerAdjustment(towerWidth_);
        drawn->setTowerAdjustmentRatio(towerRatio_);
        drawn->updateSize();
    }
    for (View* drawn : std::initializer_list<View*>{scene_.get(), legend_.get(), footer_.get(),
                                                    downScene_.get()}) {
        drawn->setNeedsDisplay();
        drawn->setAlpha(0);
    }

    // The reflection lies along the bars just past the last one, where it
    // covers neither the icons nor the captions.
    Rect sceneFrame = scene_->frame();
    double mirrorLine = scene_->getItemsEnd();
    double reflectionHeight = std::min(std::floor(reflectionShare * sceneFrame.height()),
                                       sceneFrame.height() - mirrorLine);
    reflectionView_->setImage(reflectedImageRepresentationWithHeight(reflectionHeight));
    Rect reflected(sceneFrame.minX(), sceneFrame.minY() + mirrorLine, sceneWidth, reflectionHeight);
    reflectionView_->setFrame(Rect(reflected.minX(), reflected.minY(), 0, reflectionHeight));

    Rect start = sceneFrame;
    start.size.width = 0;
    scene_->setFrame(start);
    View::animate(growDuration, 0, AnimationCurve::easeInOut, [this, reflected] {
        Rect grown = scene_->frame();
        grown.size.width = sceneWidth;
        scene_->setFrame(grown);
        reflectionView_->setFrame(reflected);
        for (View* drawn : std::initializer_list<View*>{scene_.get(), legend_.get(), footer_.get(),
                                                        downScene_.get()}) {
            drawn->setAlpha(1);
        }
    });

    Size content = scrollView_->contentSize();
    content.height = scene_->getTotalHeight();
    scrollView_->setContentSize(content);
}

} // namespace florelle
