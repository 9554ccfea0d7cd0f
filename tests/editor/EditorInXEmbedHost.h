#pragma once

#include "EditorInXServer.h"
#include "XEmbedder.h"

#include <chrono>

// The editor in a host window that an XEmbed embedder watches, served by the host's
// run loop.
class EditorInXEmbedHost : public EditorInXServer
{
protected:
    void SetUp() override
    {
        watchChildren = true;
        EditorInXServer::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        embedder = Steinberg::owned(new XEmbedder(*host));
        loop->registerEventHandler(embedder, embedder->fd());
    }
    void TearDown() override
    {
        if (embedder)
            loop->unregisterEventHandler(embedder);
        embedder = nullptr;
        EditorInXServer::TearDown();
    }

    void click(xcb_window_t child, double x, double y)
    {
        host->fake(XCB_MOTION_NOTIFY, 0, host->onScreen(child, x, y));
        loop->runFor(std::chrono::milliseconds(20));
        host->fake(XCB_BUTTON_PRESS, 1);
        host->fake(XCB_BUTTON_RELEASE, 1);
        loop->runFor(std::chrono::milliseconds(60));
    }

    Steinberg::IPtr<XEmbedder> embedder;
};
