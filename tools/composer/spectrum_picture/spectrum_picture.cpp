#include "spectrum_picture.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "mastering/loudness_meter.h"
#include "mastering/spectral_balance.h"
#include "mastering/true_peak.h"

namespace {

// ---------------------------------------------------------------- layout

constexpr int kWidth = 800;
constexpr int kHeight = 420;
constexpr double kPlotLeft = 50.0;
constexpr double kPlotTop = 40.0;
constexpr double kPixelsPerOctave = 50.0;  // 20 Hz to 20 kHz: about ten octaves
constexpr double kPixelsPerDecibel = 5.0;
constexpr double kTopDecibels = 30.0;  // relative to the fitted line at 1 kHz
constexpr double kBottomDecibels = -35.0;
constexpr double kLowestHertz = 20.0;
constexpr double kHighestHertz = 20000.0;
constexpr double kLowestCurveHertz = 40.0;
constexpr double kTextLeft = 580.0;
constexpr double kTextLineHeight = 22.0;

constexpr const char* kFittedColour = "#1f5fbf";
constexpr const char* kPinkColour = "#c04080";
constexpr const char* kMasteredColour = "#444";

double X(double hertz) { return kPlotLeft + kPixelsPerOctave * std::log2(hertz / kLowestHertz); }
double Y(double decibels) { return kPlotTop + kPixelsPerDecibel * (kTopDecibels - decibels); }

// ---------------------------------------------------------------- writing

std::string Fixed(double value, int decimals, bool sign = false)
{
    char text[32];
    std::snprintf(text, sizeof text, sign ? "%+.*f" : "%.*f", decimals, value);
    return text;
}

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '&') escaped += "&amp;";
        else if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else escaped += c;
    }
    return escaped;
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style)
{
    return "<line x1=\"" + Fixed(x1, 1) + "\" y1=\"" + Fixed(y1, 1) + "\" x2=\"" + Fixed(x2, 1) + "\" y2=\"" +
           Fixed(y2, 1) + "\" " + style + "/>\n";
}

std::string Text(double x, double y, const std::string& attributes, const std::string& content)
{
    return "<text x=\"" + Fixed(x, 1) + "\" y=\"" + Fixed(y, 1) + "\"" + attributes + ">" + content + "</text>\n";
}

// ---------------------------------------------------------------- parts of the picture

std::string Grid()
{
    const double right = X(kHighestHertz), bottom = Y(kBottomDecibels);
    std::string svg;
    for (const auto& [hertz, label] : {std::pair{31.5, "31.5"}, {63.0, "63"}, {125.0, "125"}, {250.0, "250"},
                                       {500.0, "500"}, {1000.0, "1k"}, {2000.0, "2k"}, {4000.0, "4k"},
                                       {8000.0, "8k"}, {16000.0, "16k"}}) {
        svg += Line(X(hertz), Y(kTopDecibels), X(hertz), bottom, "stroke=\"#ddd\"");
        svg += Text(X(hertz), bottom + 16.0, " text-anchor=\"middle\"", label);
    }
    for (double decibels = 30.0; decibels >= kBottomDecibels; decibels -= 10.0) {
        svg += Line(kPlotLeft, Y(decibels), right, Y(decibels), "stroke=\"#ddd\"");
        svg += Text(kPlotLeft - 6.0, Y(decibels) + 4.0, " text-anchor=\"end\"", Fixed(decibels, 0, true));
    }
    svg += Text(right + 14.0, bottom + 16.0, " text-anchor=\"middle\"", "Hz");
    svg += Text(kPlotLeft - 40.0, kPlotTop - 8.0, "", "dB");
    return svg;
}

// A line of some dB per octave through 0 dB at 1 kHz, over the bands' range.
std::string Tilt(double slope, const std::string& style)
{
    const auto y = [&](double hertz) { return Y(slope * std::log2(hertz / 1000.0)); };
    return Line(X(100.0), y(100.0), X(10000.0), y(10000.0), style);
}

// The spectrum over a third of an octave around every sixth of one, and the
// bands as dots. The lowest thirds of an octave hold too few of the
// spectrum's bins to draw.
std::string Spectrum(const SpectralBalance& balance)
{
    const double reference = balance.LineAt(1000.0);
    std::string svg = "<polyline fill=\"none\" stroke=\"#888\" stroke-width=\"1.5\" points=\"";
    for (double hertz = kLowestCurveHertz; hertz <= kHighestHertz; hertz *= std::exp2(1.0 / 6.0)) {
        const double level = balance.LevelBetween(hertz * std::exp2(-1.0 / 6.0), hertz * std::exp2(1.0 / 6.0));
        svg += Fixed(X(hertz), 1) + "," + Fixed(Y(std::fmax(level - reference, kBottomDecibels)), 1) + " ";
    }
    svg += "\"/>\n";
    for (const ThirdOctaveBand& band : balance.Bands())
        svg += "<circle cx=\"" + Fixed(X(band.centreHertz), 1) + "\" cy=\"" +
               Fixed(Y(band.levelDecibels - reference), 1) + "\" r=\"3\" fill=\"" + kFittedColour + "\"/>\n";
    return svg;
}

std::string Figures(const StereoBuffer& audio, const SpectralBalance& balance)
{
    const auto percent = [&](double low, double high) { return Fixed(100.0 * balance.Share(low, high), 1) + " %"; };
    const std::pair<std::string, const char*> lines[] = {
        {"slope " + Fixed(balance.Slope(), 1) + " dB/oct", "#000"},
        {"below 120 Hz " + percent(kLowestHertz, 120.0), "#000"},
        {"2–8 kHz " + percent(2000.0, 8000.0), "#000"},
        {"above 2 kHz " + percent(2000.0, kHighestHertz), "#000"},
        {"above 8 kHz " + percent(8000.0, kHighestHertz), "#000"},
        {"200 Hz high-pass " + Fixed(balance.HighPassLoss(200.0), 1) + " dB", "#000"},
        {"loudness " + Fixed(IntegratedLoudness(audio), 1) + " LUFS", "#000"},
        {"true peak " + Fixed(ToDecibels(TruePeak(audio)), 1) + " dBTP", "#000"},
        {"", "#000"},
        {"— fitted, 100 Hz–10 kHz", kFittedColour},
        {"- - pink noise, -3 dB/oct", kPinkColour},
        {"- - mastered mix, -4.5 dB/oct", kMasteredColour},
    };
    std::string svg;
    double y = kPlotTop + 10.0;
    for (const auto& [text, colour] : lines) {
        if (!text.empty()) svg += Text(kTextLeft, y, std::string(" fill=\"") + colour + "\"", text);
        y += kTextLineHeight;
    }
    return svg;
}

}  // namespace

std::string DrawSpectrumPicture(const StereoBuffer& audio, std::string_view title)
{
    const SpectralBalance balance(audio);
    const std::string size = "width=\"" + std::to_string(kWidth) + "\" height=\"" + std::to_string(kHeight) + "\"";
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + " viewBox=\"0 0 " + std::to_string(kWidth) +
                      " " + std::to_string(kHeight) + "\" font-family=\"sans-serif\" font-size=\"13\">\n";
    svg += "<rect " + size + " fill=\"white\"/>\n";
    svg += Text(kPlotLeft, 22.0, " font-size=\"16\"", Escaped(title));
    svg += Grid();
    svg += Tilt(-3.0, std::string("stroke=\"") + kPinkColour + "\" stroke-dasharray=\"6 4\"");
    svg += Tilt(-4.5, std::string("stroke=\"") + kMasteredColour + "\" stroke-dasharray=\"6 4\"");
    svg += Tilt(balance.Slope(), std::string("stroke=\"") + kFittedColour + "\" stroke-width=\"2\"");
    svg += Spectrum(balance);
    svg += Figures(audio, balance);
    svg += "</svg>\n";
    return svg;
}
