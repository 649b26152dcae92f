// The per-frame costs of a recording: copying and blending motion-blur pictures, and writing
// video frames, the writer against the same encoder driven directly.
#include "CopyPicture.h"
#include "ModuleState.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>
#include <sg/VideoWriter.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

using namespace vellum;

namespace {

QImage pattern(QSize size, int shift)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x + shift) & 255, (y * 2 + shift) & 255, ((x ^ y) + shift) & 255);
    }
    return picture;
}

// Frames that differ from one another, as a recording's do.
std::vector<QImage> frames(QSize size)
{
    std::vector<QImage> all;
    for (int shift = 0; shift < 8; ++shift)
        all.push_back(pattern(size, shift * 9));
    return all;
}

void BM_CopyPicture_1600x1200(benchmark::State& state)
{
    auto graph = std::make_shared<sg::SceneGraph>();
    animation::bindModule(graph, nullptr);
    const QImage source = pattern(QSize(1600, 1200), 0);
    for (auto _ : state) {
        QImage copy = animation::CopyPicture(source);
        benchmark::DoNotOptimize(copy.constBits());
    }
    animation::resetModule();
}
BENCHMARK(BM_CopyPicture_1600x1200)->Unit(benchmark::kMillisecond);

void BM_BlendPictures8_1600x1200(benchmark::State& state)
{
    sg::SceneGraph graph;
    const auto render = graph.CreateRenderUtility();
    const std::vector<QImage> all = frames(QSize(1600, 1200));
    std::array<QImage, 8> ring;
    std::copy(all.begin(), all.end(), ring.begin());
    QImage target = pattern(QSize(1600, 1200), 1);
    for (auto _ : state) {
        render->BlendPictures(ring, target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_BlendPictures8_1600x1200)->Unit(benchmark::kMillisecond);

void BM_AviWriter_640x480(benchmark::State& state)
{
    QTemporaryDir folder;
    const std::vector<QImage> all = frames(QSize(640, 480));
    sg::VideoWriter writer(folder.filePath(QStringLiteral("bench.avi")), QSize(640, 480), 15);
    std::int64_t index = 0;
    for (auto _ : state) {
        writer.addFrame(all[std::size_t(index % 8)], index);
        ++index;
    }
    writer.close();
}
// Wall time sets the iteration count: the writer encodes on its own thread, so the caller's CPU
// time says nothing of its rate.
BENCHMARK(BM_AviWriter_640x480)->UseRealTime()->Unit(benchmark::kMillisecond);

// The writer's codec settings, driven through libavcodec by hand: conversion and encoding only.
void BM_FfmpegEncodeOnly_640x480(benchmark::State& state)
{
    const std::vector<QImage> all = frames(QSize(640, 480));
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->width = 640;
    context->height = 480;
    context->time_base = AVRational{1, 15};
    context->framerate = AVRational{15, 1};
    context->pix_fmt = AV_PIX_FMT_YUVJ420P;
    context->flags |= AV_CODEC_FLAG_QSCALE;
    context->global_quality = FF_QP2LAMBDA * 3;
    if (avcodec_open2(context, codec, nullptr) < 0) {
        state.SkipWithError("no MJPEG encoder");
        return;
    }
    AVFrame* frame = av_frame_alloc();
    frame->format = context->pix_fmt;
    frame->width = 640;
    frame->height = 480;
    av_frame_get_buffer(frame, 0);
    AVPacket* packet = av_packet_alloc();
    SwsContext* scale = sws_getContext(640, 480, AV_PIX_FMT_BGRA, 640, 480, context->pix_fmt,
                                       SWS_BILINEAR, nullptr, nullptr, nullptr);
    std::int64_t index = 0;
    for (auto _ : state) {
        const QImage& picture = all[std::size_t(index % 8)];
        av_frame_make_writable(frame);
        const std::uint8_t* planes[1] = {picture.constBits()};
        const int strides[1] = {int(picture.bytesPerLine())};
        sws_scale(scale, planes, strides, 0, 480, frame->data, frame->linesize);
        frame->pts = index++;
        frame->quality = context->global_quality;
        avcodec_send_frame(context, frame);
        while (avcodec_receive_packet(context, packet) == 0) {
            benchmark::DoNotOptimize(packet->data);
            av_packet_unref(packet);
        }
    }
    sws_freeContext(scale);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&context);
}
BENCHMARK(BM_FfmpegEncodeOnly_640x480)->Unit(benchmark::kMillisecond);

} // namespace
