// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ViewController.h"

#include <memory>

namespace florelle {

class GraphDownScene;
class GraphFooter;
class GraphLegend;
class GraphScene;
class GraphViewControllerDataSource;
class Image;
class ImageView;
class ScrollView;

// A bar chart fed by a data source: the bars (scene), their icons (icon
// strip) and captions (footer) in a scroll view along the item axis, a faint
// mirror image of the bars' end just past the last bar, and a legend of the
// sections beside it. Each refresh asks the data source anew and lets the
// bars and their reflection grow in over two seconds.
class GraphViewController : public ViewController {
public:
    static constexpr double growDuration = 2.0;
    static constexpr double sceneWidth = 185;
    static constexpr double reflectionAlpha = 0.5;

    // YES rebuilds and redraws everything; NO does nothing.
    void viewDidAppear(bool animated) override;

    static int getViewWidth() { return 460; }

    // Not owned; it must outlive its use by this graph or be reset.
    void setDataSourceDelegate(GraphViewControllerDataSource* source) { dataSource_ = source; }
    GraphViewControllerDataSource* dataSourceDelegate() const { return dataSource_; }
    // Extra space between bars, in points.
    void setTowerWidth(int width) { towerWidth_ = width; }
    int towerWidth() const { return towerWidth_; }
    // Bar thickness as a multiple of 24 points.
    void setTowerRatio(double ratio) { towerRatio_ = ratio; }
    double towerRatio() const { return towerRatio_; }

    const std::shared_ptr<ScrollView>& scrollView();
    const std::shared_ptr<GraphScene>& graphScene();
    const std::shared_ptr<GraphDownScene>& graphDownScene();
    const std::shared_ptr<GraphFooter>& graphFooter();
    const std::shared_ptr<GraphLegend>& graphLegend();
    const std::shared_ptr<ImageView>& reflectionView();

    // The last `height` points of the bars before their end, as the scene
    // draws them at full width, upside down and fading out away from the
    // mirror line; empty for a height of 0.
    Image reflectedImageRepresentationWithHeight(double height);

protected:
    void loadView() override;

private:
    void constructView();

    GraphViewControllerDataSource* dataSource_ = nullptr;
    int towerWidth_ = 0;
    double towerRatio_ = 1;
    std::shared_ptr<ScrollView> scrollView_;
    std::shared_ptr<GraphScene> scene_;
    std::shared_ptr<GraphDownScene> downScene_;
    std::shared_ptr<GraphFooter> footer_;
    std::shared_ptr<GraphLegend> legend_;
    std::shared_ptr<ImageView> reflectionView_;
};

} // namespace florelle
