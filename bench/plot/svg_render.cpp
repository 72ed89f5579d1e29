// Drawing a timeline as SVG: lanes stacked under one time axis, names on the left, every mark
// with a hover text (<title>) so that crowded ones can still be read in a browser.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "bench/common/markup.h"
#include "bench/plot/session_plot.h"

namespace plot {
namespace {

constexpr double kWidth = 1200, kLeft = 210, kRight = 20, kLane = 38, kAudioLane = 110;
constexpr double kLabelGap = 56;  // pixels between two value labels in one lane

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

std::string Px(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

class Canvas {
 public:
  Canvas(double seconds, const std::string& title) : seconds_(std::max(seconds, 0.001)) {
    out_ << "<text x=\"" << kLeft << "\" y=\"24\" font-size=\"16\" font-weight=\"bold\">"
         << bench::EscapeMarkup(title) << "</text>\n";
  }
  double X(double t) const { return kLeft + t / seconds_ * (kWidth - kLeft - kRight); }

  // A lane of height h under the last one, with its name; returns its top.
  double Lane(const std::string& name, double h, const std::string& shade = "#f4f6f8") {
    double top = y_;
    out_ << "<rect x=\"" << kLeft << "\" y=\"" << Px(top) << "\" width=\""
         << kWidth - kLeft - kRight << "\" height=\"" << Px(h - 4) << "\" fill=\"" << shade
         << "\"/>\n";
    out_ << "<text x=\"" << kLeft - 8 << "\" y=\"" << Px(top + h / 2 + 2)
         << "\" text-anchor=\"end\" font-size=\"12\">" << bench::EscapeMarkup(name) << "</text>\n";
    y_ += h;
    return top;
  }

  void Steps(const Series& series, double top, const std::string& colour) {
    double low = series.points[0].second, high = low;
    for (const auto& p : series.points)
      low = std::min(low, p.second), high = std::max(high, p.second);
    auto y = [&](double v) {
      return high == low ? top + kLane / 2 : top + 4 + (high - v) / (high - low) * (kLane - 14);
    };
    std::string path = "M" + Px(X(series.points[0].first)) + " " + Px(y(series.points[0].second));
    double last_label = -1e9;
    for (size_t i = 0; i < series.points.size(); ++i) {
      const auto& [t, v] = series.points[i];
      double end = i + 1 < series.points.size() ? series.points[i + 1].first : seconds_;
      path += " V" + Px(y(v)) + " H" + Px(X(end));
      if (X(t) - last_label >= kLabelGap) {
        Text(X(t) + 2, y(v) - 2, Number(v), "#333", 10);
        last_label = X(t);
      }
    }
    out_ << "<path d=\"" << path << "\" fill=\"none\" stroke=\"" << colour
         << "\" stroke-width=\"1.5\"><title>" << bench::EscapeMarkup(series.name)
         << "</title></path>\n";
  }

  // The recording's peak level per pixel column in decibels (-60 to 0 dBFS), mirrored about
  // the lane's middle, over the given stretch of the time axis.
  void Level(const Recording& r, double top, double seconds) {
    size_t frames = r.samples.size() / std::max(r.channels, 1);
    double mid = top + (kAudioLane - 4) / 2, half = (kAudioLane - 12) / 2;
    int first = static_cast<int>(X(0)), last = static_cast<int>(X(seconds));
    std::string upper, lower;
    for (int px = first; px < last; ++px) {
      size_t from =
          static_cast<size_t>((px - first) * static_cast<double>(frames) / (last - first));
      size_t to =
          static_cast<size_t>((px + 1 - first) * static_cast<double>(frames) / (last - first));
      int peak = 0;
      for (size_t i = from * r.channels; i < std::min(to, frames) * r.channels; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(r.samples[i])));
      double decibels = peak ? 20 * std::log10(peak / 32768.0) : -100;
      double h = std::max(0.0, (decibels + 60) / 60) * half;
      upper += (upper.empty() ? "M" : " L") + std::to_string(px) + " " + Px(mid - h);
      lower = " L" + std::to_string(px) + " " + Px(mid + h) + lower;
    }
    if (!upper.empty())
      out_ << "<path d=\"" << upper << lower << " Z\" fill=\"#4a78b0\" stroke=\"none\"/>\n";
  }

  // Ticks with hover text; labels where there is room, on alternate rows.
  void Marks(const std::vector<Mark>& marks, double top, double h, bool sounds) {
    double last_label[2] = {-1e9, -1e9};
    int row = 0;
    for (const Mark& m : marks) {
      std::string colour = !sounds ? "#8a4fa0" : m.start ? "#2e8b57" : "#b03a2e";
      out_ << "<line x1=\"" << Px(X(m.seconds)) << "\" x2=\"" << Px(X(m.seconds)) << "\" y1=\""
           << Px(top) << "\" y2=\"" << Px(top + h - 4) << "\" stroke=\"" << colour
           << "\" stroke-width=\"1\"><title>"
           << bench::EscapeMarkup(Number(m.seconds) + " s: " + m.label)
           << (sounds ? (m.start ? " starts" : " ends") : "") << "</title></line>\n";
      if (sounds && !m.start) continue;
      std::string label = m.label.rfind("Sound ", 0) == 0 ? m.label.substr(6) : m.label;
      if (label.size() > 48) label = label.substr(0, 45) + "...";
      double width = 5.6 * label.size();
      if (X(m.seconds) - last_label[row] < width) row = 1 - row;
      if (X(m.seconds) - last_label[row] < width) continue;
      // Near the right edge the label ends at its mark instead of starting there.
      double x = X(m.seconds) + width > kWidth - 4 ? X(m.seconds) - width - 2 : X(m.seconds) + 2;
      Text(x, top + 11 + 12 * row, label, colour, 10);
      last_label[row] = X(m.seconds) + (x < X(m.seconds) ? width : 0);
      row = 1 - row;
    }
  }

  void Axis() {
    double step = seconds_ <= 12 ? 1 : seconds_ <= 60 ? 5 : 30;
    for (double t = 0; t <= seconds_ + 1e-9; t += step) {
      out_ << "<line x1=\"" << Px(X(t)) << "\" x2=\"" << Px(X(t)) << "\" y1=\"40\" y2=\"" << Px(y_)
           << "\" stroke=\"#d0d4d8\" stroke-width=\"0.5\"/>\n";
      Text(X(t) - 4, y_ + 14, Number(t) + " s", "#555", 11);
    }
    y_ += 24;
  }

  std::string Finish() const {
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\""
        << Px(y_) << "\" viewBox=\"0 0 " << kWidth << " " << Px(y_)
        << "\" font-family=\"sans-serif\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << out_.str() << "</svg>\n";
    return svg.str();
  }

 private:
  void Text(double x, double y, const std::string& text, const std::string& colour, int size) {
    out_ << "<text x=\"" << Px(x) << "\" y=\"" << Px(y) << "\" font-size=\"" << size << "\" fill=\""
         << colour << "\">" << bench::EscapeMarkup(text) << "</text>\n";
  }

  double seconds_;
  double y_ = 40;
  std::ostringstream out_;
};

}  // namespace

std::string RenderSvg(const Timeline& timeline, const Recording& recording,
                      const std::string& title) {
  double recorded = recording.samples.empty() ? 0
                                              : static_cast<double>(recording.samples.size()) /
                                                    recording.channels / recording.rate;
  // Wine's capture device takes what it is given faster than real time, so its recording
  // runs longer than the session's frames: it is drawn stretched to the session.
  bool scaled = recorded > timeline.seconds * 1.05 + 0.1;
  Canvas canvas(scaled ? timeline.seconds : std::max(timeline.seconds, recorded), title);
  for (const Series& s : timeline.reads) canvas.Steps(s, canvas.Lane(s.name, kLane), "#1f5f9f");
  double top =
      canvas.Lane(scaled ? "sound, dB (Wine, fitted)" : "sound, dB", kAudioLane, "#eef2f7");
  canvas.Level(recording, top, scaled ? timeline.seconds : recorded);
  canvas.Marks(timeline.sounds, top, kAudioLane, true);
  canvas.Marks(timeline.writes, canvas.Lane("module writes and events", kLane + 10), kLane + 10,
               false);
  for (const Series& s : timeline.traffic)
    canvas.Steps(s, canvas.Lane(s.name + " (written)", kLane, "#f7f3ea"), "#a0661f");
  canvas.Axis();
  return canvas.Finish();
}

}  // namespace plot
