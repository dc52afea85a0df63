// sorca-synth: renders one score file (our small text format, described in
// assets/Sound/README.md) into a 44.1 kHz stereo 16-bit WAV file.
//
//   sorca-synth <score> <out.wav>
//
// Looping scores are rendered so that the end joins the start: everything is
// rendered onto a timeline longer than the loop, and whatever rings past the
// loop's end (release tails, echoes) is folded back onto its beginning, which
// is exactly what the listener hears when the loop plays again.
// The output depends on nothing but the score: no clock, no global random.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const int kRate = 44100;
const double kPi = 3.14159265358979323846;

struct ScoreError : std::runtime_error {
    ScoreError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

enum class Wave { Sine, Triangle, Saw, Square, Pulse, Organ, Fm, Bell, Pluck, Noise,
                  Kick, Snare, Hat, Thud };

const std::map<std::string, Wave> kWaves = {
    {"sine", Wave::Sine},   {"triangle", Wave::Triangle}, {"saw", Wave::Saw},
    {"square", Wave::Square}, {"pulse", Wave::Pulse},   {"organ", Wave::Organ},
    {"fm", Wave::Fm},       {"bell", Wave::Bell},         {"pluck", Wave::Pluck},
    {"noise", Wave::Noise}, {"kick", Wave::Kick},         {"snare", Wave::Snare},
    {"hat", Wave::Hat},     {"thud", Wave::Thud},
};

struct Instrument {
    Wave wave = Wave::Sine;
    double attack = 0.01, decay = 0.2, sustain = 0.7, release = 0.3;
    double gain = 0.3, pan = 0.0;
    double cutoff = 0.0, envCutoff = 0.0, resonance = 0.3;
    double detune = 0.0, vibrato = 0.0, vibratoRate = 5.0;
    double ratio = 2.0, index = 1.0;
    double sweep = 0.0, gate = 0.95, echo = 0.0;
};

struct Note {
    double start = 0, length = 0;   // seconds
    double freq = 0, velocity = 1;
    const Instrument* instrument = nullptr;
    uint32_t seed = 1;
};

struct Score {
    double tempo = 120, master = 0.8;
    int meter = 4, stepsPerBeat = 2, bars = 8;
    bool loop = true;
    double length = 0;              // seconds, for scores that do not loop
    double echoTime = 0.375, echoFeedback = 0.35, echoLevel = 0.0;
    std::map<std::string, Instrument> instruments;
    std::vector<std::vector<std::vector<int>>> chordBars;   // bar -> chords -> semitones
    std::vector<Note> notes;

    int stepsPerBar() const { return meter * stepsPerBeat; }
    double stepSeconds() const { return 60.0 / tempo / stepsPerBeat; }
    double loopSeconds() const { return loop ? bars * stepsPerBar() * stepSeconds() : length; }
};

// ------------------------------------------------------------------ parsing

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.push_back("");
    return parts;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

double Number(const std::string& text, int line) {
    try {
        size_t used = 0;
        double value = std::stod(text, &used);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    throw ScoreError(line, "not a number: '" + text + "'");
}

// Pitch class of a note letter with an optional sharp or flat; advances pos.
int PitchClass(const std::string& text, size_t& pos, int line) {
    static const int kLetters[] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G
    if (pos >= text.size() || text[pos] < 'A' || text[pos] > 'G')
        throw ScoreError(line, "expected a note letter A-G in '" + text + "'");
    int pc = kLetters[text[pos++] - 'A'];
    if (pos < text.size() && text[pos] == '#') { pc += 1; ++pos; }
    else if (pos < text.size() && text[pos] == 'b') { pc -= 1; ++pos; }
    return (pc + 12) % 12;
}

std::vector<int> ChordTones(const std::string& symbol, int line) {
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"m7", {0, 3, 7, 10}},    {"maj7", {0, 4, 7, 11}},   {"dim", {0, 3, 6}},
        {"dim7", {0, 3, 6, 9}},   {"aug", {0, 4, 8}},        {"sus2", {0, 2, 7}},
        {"sus4", {0, 5, 7}},      {"6", {0, 4, 7, 9}},       {"m6", {0, 3, 7, 9}},
        {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}},  {"5", {0, 7}},
        {"m7b5", {0, 3, 6, 10}},
    };
    size_t pos = 0;
    int root = PitchClass(symbol, pos, line);
    auto quality = kQualities.find(symbol.substr(pos));
    if (quality == kQualities.end()) throw ScoreError(line, "unknown chord '" + symbol + "'");
    std::vector<int> tones;
    for (int interval : quality->second) tones.push_back(root + interval);
    return tones;
}

void SetInstrumentField(Instrument& ins, const std::string& key, const std::string& value,
                        int line) {
    if (key == "wave") {
        auto wave = kWaves.find(value);
        if (wave == kWaves.end()) throw ScoreError(line, "unknown wave '" + value + "'");
        ins.wave = wave->second;
        return;
    }
    static const std::map<std::string, double Instrument::*> kFields = {
        {"attack", &Instrument::attack},   {"decay", &Instrument::decay},
        {"sustain", &Instrument::sustain}, {"release", &Instrument::release},
        {"gain", &Instrument::gain},       {"pan", &Instrument::pan},
        {"cutoff", &Instrument::cutoff},   {"envcutoff", &Instrument::envCutoff},
        {"resonance", &Instrument::resonance}, {"detune", &Instrument::detune},
        {"vibrato", &Instrument::vibrato}, {"vibratorate", &Instrument::vibratoRate},
        {"ratio", &Instrument::ratio},     {"index", &Instrument::index},
        {"sweep", &Instrument::sweep},     {"gate", &Instrument::gate},
        {"echo", &Instrument::echo},
    };
    auto field = kFields.find(key);
    if (field == kFields.end()) throw ScoreError(line, "unknown instrument setting '" + key + "'");
    ins.*(field->second) = Number(value, line);
}

void ParseInstrument(Score& score, const std::vector<std::string>& words, int line) {
    if (words.size() < 2) throw ScoreError(line, "instrument needs a name");
    Instrument ins;
    for (size_t i = 2; i < words.size(); ++i) {
        size_t eq = words[i].find('=');
        if (eq == std::string::npos) throw ScoreError(line, "expected key=value, got '" + words[i] + "'");
        SetInstrumentField(ins, words[i].substr(0, eq), words[i].substr(eq + 1), line);
    }
    score.instruments[words[1]] = ins;
}

void ParseChords(Score& score, const std::string& rest, int line) {
    score.chordBars.clear();
    for (const std::string& bar : Split(rest, '|')) {
        std::vector<std::vector<int>> chords;
        for (const std::string& symbol : Words(bar)) chords.push_back(ChordTones(symbol, line));
        if (chords.empty()) throw ScoreError(line, "a bar of chords is empty");
        score.chordBars.push_back(chords);
    }
}

const std::vector<int>* ChordAt(const Score& score, int bar, int stepInBar) {
    if (score.chordBars.empty()) return nullptr;
    const auto& chords = score.chordBars[bar % score.chordBars.size()];
    size_t index = static_cast<size_t>(stepInBar) * chords.size() / score.stepsPerBar();
    return &chords[index];
}

double MidiToFreq(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// One pattern token -> the MIDI notes it starts (empty for a rest).
std::vector<double> TokenPitches(const std::string& token, const std::vector<int>* chord,
                                 int octave, int line) {
    std::vector<double> pitches;
    for (const std::string& piece : Split(token, '+')) {
        if (piece.empty()) throw ScoreError(line, "empty note in '" + token + "'");
        char first = piece[0];
        if (first >= 'A' && first <= 'G') {
            size_t pos = 0;
            int pc = PitchClass(piece, pos, line);
            std::string rest = piece.substr(pos);
            if (rest.empty() || rest.find_first_not_of("0123456789") != std::string::npos)
                throw ScoreError(line, "a note needs an octave: '" + piece + "'");
            pitches.push_back(12 * (std::stoi(rest) + 1) + pc);
            continue;
        }
        int shift = 0;
        std::string core = piece;
        while (!core.empty() && (core.back() == '^' || core.back() == '_')) {
            shift += core.back() == '^' ? 12 : -12;
            core.pop_back();
        }
        int base = 12 * (octave + 1) + shift;
        if (!chord && (core == "x" || core == "X")) {   // a hit of a drum, or a C
            pitches.push_back(base);
            continue;
        }
        if (!chord) throw ScoreError(line, "'" + piece + "' needs a chords line");
        if (core == "*" || core == "x" || core == "X") {
            if (core == "*") for (int tone : *chord) pitches.push_back(base + tone);
            else pitches.push_back(base + (*chord)[0]);
            continue;
        }
        bool minor = chord->size() > 1 && ((*chord)[1] - (*chord)[0]) == 3;
        const std::map<std::string, int> kDegrees = {
            {"1", (*chord)[0]},
            {"2", (*chord)[0] + 2},
            {"3", chord->size() > 1 ? (*chord)[1] : (*chord)[0] + 4},
            {"4", (*chord)[0] + 5},
            {"5", chord->size() > 2 ? (*chord)[2] : (*chord)[0] + 7},
            {"6", (*chord)[0] + (minor ? 8 : 9)},
            {"7", chord->size() > 3 ? (*chord)[3] : (*chord)[0] + 12},
            {"8", (*chord)[0] + 12},
            {"9", (*chord)[0] + 14},
        };
        auto degree = kDegrees.find(core);
        if (degree == kDegrees.end()) throw ScoreError(line, "unknown token '" + piece + "'");
        pitches.push_back(base + degree->second);
    }
    return pitches;
}

struct PlayOptions {
    std::string instrument;
    int octave = 4;
    double velocity = 1.0;
};

PlayOptions ParsePlayHead(const Score& score, const std::string& head, int line) {
    std::vector<std::string> words = Words(head);
    if (words.size() < 2) throw ScoreError(line, "play needs an instrument");
    PlayOptions options;
    options.instrument = words[1];
    if (!score.instruments.count(options.instrument))
        throw ScoreError(line, "unknown instrument '" + options.instrument + "'");
    for (size_t i = 2; i < words.size(); ++i) {
        size_t eq = words[i].find('=');
        std::string key = words[i].substr(0, eq);
        if (eq == std::string::npos) throw ScoreError(line, "expected key=value");
        double value = Number(words[i].substr(eq + 1), line);
        if (key == "octave") options.octave = static_cast<int>(value);
        else if (key == "vel") options.velocity = value;
        else throw ScoreError(line, "unknown play setting '" + key + "'");
    }
    return options;
}

// A pattern: bars separated by '|', each bar an even division of the bar into
// tokens; the bars repeat until the score's length is filled.
void ParsePlay(Score& score, const std::string& text, int line) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) throw ScoreError(line, "play needs ':' before the pattern");
    PlayOptions options = ParsePlayHead(score, text.substr(0, colon), line);
    const Instrument* ins = &score.instruments[options.instrument];
    std::vector<std::string> bars = Split(text.substr(colon + 1), '|');
    int totalBars = score.loop ? score.bars
                               : std::max(1, static_cast<int>(std::ceil(
                                     score.length / (score.stepsPerBar() * score.stepSeconds()))));
    std::vector<size_t> open;   // notes the last token started, extended by '-'
    for (int bar = 0; bar < totalBars; ++bar) {
        std::vector<std::string> tokens = Words(bars[bar % bars.size()]);
        if (tokens.empty() || score.stepsPerBar() % tokens.size() != 0)
            throw ScoreError(line, "a bar has " + std::to_string(tokens.size()) +
                                       " tokens, which does not divide its " +
                                       std::to_string(score.stepsPerBar()) + " steps");
        int span = score.stepsPerBar() / static_cast<int>(tokens.size());
        for (size_t t = 0; t < tokens.size(); ++t) {
            const std::string& token = tokens[t];
            int step = bar * score.stepsPerBar() + static_cast<int>(t) * span;
            double start = step * score.stepSeconds();
            double length = span * score.stepSeconds();
            if (token == "-") {
                for (size_t i : open) score.notes[i].length += length;
                continue;
            }
            open.clear();
            if (token == ".") continue;
            double velocity = options.velocity * (token == "x" ? 0.75 : 1.0);
            const std::vector<int>* chord = ChordAt(score, bar, static_cast<int>(t) * span);
            for (double midi : TokenPitches(token, chord, options.octave, line)) {
                Note note;
                note.start = start;
                note.length = length;
                note.freq = MidiToFreq(midi);
                note.velocity = velocity;
                note.instrument = ins;
                note.seed = static_cast<uint32_t>(score.notes.size() * 2654435761u + 12345u);
                open.push_back(score.notes.size());
                score.notes.push_back(note);
            }
        }
    }
}

void ParseEcho(Score& score, const std::vector<std::string>& words, int line) {
    for (size_t i = 1; i < words.size(); ++i) {
        size_t eq = words[i].find('=');
        if (eq == std::string::npos) throw ScoreError(line, "expected key=value");
        std::string key = words[i].substr(0, eq);
        double value = Number(words[i].substr(eq + 1), line);
        if (key == "time") score.echoTime = value;
        else if (key == "feedback") score.echoFeedback = value;
        else if (key == "level") score.echoLevel = value;
        else throw ScoreError(line, "unknown echo setting '" + key + "'");
    }
    if (score.echoTime <= 0 || score.echoFeedback < 0 || score.echoFeedback >= 0.95)
        throw ScoreError(line, "echo needs time > 0 and feedback in [0, 0.95)");
}

// '#' starts a comment at the start of a line or after a space; elsewhere it
// is a sharp (C#4).
std::string StripComment(const std::string& raw) {
    for (size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t'))
            return raw.substr(0, i);
    return raw;
}

Score ParseScore(std::istream& in) {
    Score score;
    std::string raw;
    int line = 0;
    std::vector<std::pair<int, std::string>> plays;   // parsed once the header is known
    while (std::getline(in, raw)) {
        ++line;
        std::string text = StripComment(raw);
        std::vector<std::string> words = Words(text);
        if (words.empty()) continue;
        const std::string& command = words[0];
        auto value = [&](void) {
            if (words.size() != 2) throw ScoreError(line, command + " takes one value");
            return Number(words[1], line);
        };
        if (command == "tempo") score.tempo = value();
        else if (command == "meter") score.meter = static_cast<int>(value());
        else if (command == "steps") score.stepsPerBeat = static_cast<int>(value());
        else if (command == "bars") score.bars = static_cast<int>(value());
        else if (command == "length") score.length = value();
        else if (command == "master") score.master = value();
        else if (command == "loop") {
            if (words.size() != 2 || (words[1] != "yes" && words[1] != "no"))
                throw ScoreError(line, "loop takes yes or no");
            score.loop = words[1] == "yes";
        } else if (command == "echo") ParseEcho(score, words, line);
        else if (command == "instrument") ParseInstrument(score, words, line);
        else if (command == "chords") ParseChords(score, text.substr(text.find("chords") + 6), line);
        else if (command == "play") plays.emplace_back(line, text);
        else throw ScoreError(line, "unknown command '" + command + "'");
    }
    if (score.tempo <= 0 || score.meter <= 0 || score.stepsPerBeat <= 0 || score.bars <= 0)
        throw ScoreError(line, "tempo, meter, steps and bars must be positive");
    if (!score.loop && score.length <= 0) throw ScoreError(line, "a score that does not loop needs a length");
    if (score.master <= 0 || score.master > 1) throw ScoreError(line, "master must be in (0, 1]");
    for (const auto& play : plays) ParsePlay(score, play.second, play.first);
    if (score.notes.empty()) throw ScoreError(line, "the score plays no notes");
    return score;
}

// ------------------------------------------------------------------ voices

struct Random {
    uint32_t state;
    explicit Random(uint32_t seed) : state(seed ? seed : 1) {}
    double Next() {   // uniform in [-1, 1)
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 2147483648.0 - 1.0;
    }
};

double Envelope(const Instrument& ins, double t, double held) {
    auto level = [&](double time) {
        if (time < ins.attack) return time / ins.attack;
        double d = time - ins.attack;
        return ins.sustain + (1.0 - ins.sustain) * std::exp(-d / std::max(ins.decay, 1e-3) * 3.0);
    };
    if (t < held) return level(t);
    double released = t - held;
    if (released >= ins.release) return 0.0;
    return level(held) * std::pow(1.0 - released / ins.release, 2.0);
}

double PolyBlep(double phase, double step) {
    if (phase < step) { double x = phase / step; return x + x - x * x - 1.0; }
    if (phase > 1.0 - step) { double x = (phase - 1.0) / step; return x * x + x + x + 1.0; }
    return 0.0;
}

struct Oscillator {
    double phase = 0;
    double Sample(Wave wave, double freq, double t, const Instrument& ins) {
        double step = freq / kRate;
        double p = phase;
        phase += step;
        phase -= std::floor(phase);
        if (wave == Wave::Sine) return std::sin(2 * kPi * p);
        if (wave == Wave::Triangle) return 1.0 - 4.0 * std::fabs(p - 0.5);
        if (wave == Wave::Saw) return 2.0 * p - 1.0 - PolyBlep(p, step);
        if (wave == Wave::Square || wave == Wave::Pulse) {
            double width = wave == Wave::Square ? 0.5 : 0.25;
            double v = p < width ? 1.0 : -1.0;
            v += PolyBlep(p, step);
            double q = p - width;
            q -= std::floor(q);
            return v - PolyBlep(q, step);
        }
        if (wave == Wave::Organ)
            return 0.6 * std::sin(2 * kPi * p) + 0.3 * std::sin(4 * kPi * p) +
                   0.15 * std::sin(6 * kPi * p) + 0.08 * std::sin(8 * kPi * p);
        if (wave == Wave::Fm) return std::sin(2 * kPi * p + ins.index * std::sin(2 * kPi * p * ins.ratio));
        if (wave == Wave::Bell) {
            double index = ins.index * std::exp(-t * 3.0);
            return std::sin(2 * kPi * p + index * std::sin(2 * kPi * p * ins.ratio));
        }
        return 0.0;
    }
};

// A state-variable low-pass filter in its trapezoidal form, which stays
// stable at any cutoff and resonance (the textbook form blows up above a
// few kHz).
struct LowPass {
    double ic1 = 0, ic2 = 0;
    double cachedCutoff = -1, cachedResonance = -1, a1 = 0, a2 = 0, a3 = 0;
    double Run(double input, double cutoff, double resonance) {
        if (cutoff != cachedCutoff || resonance != cachedResonance) {
            double fc = std::min(std::max(cutoff, 20.0), 0.45 * kRate);
            double g = std::tan(kPi * fc / kRate);
            double k = 2.0 * (1.0 - std::min(std::max(resonance, 0.0), 0.95));
            a1 = 1.0 / (1.0 + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
            cachedCutoff = cutoff;
            cachedResonance = resonance;
        }
        double v3 = input - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        return v2;
    }
};

double PitchAt(const Note& note, double t) {
    const Instrument& ins = *note.instrument;
    double semis = 0;
    if (ins.sweep != 0) semis += ins.sweep * std::min(t / std::max(note.length, 1e-3), 1.0);
    if (ins.vibrato != 0 && t > 0.15)
        semis += ins.vibrato / 100.0 * std::sin(2 * kPi * ins.vibratoRate * (t - 0.15)) *
                 std::min((t - 0.15) / 0.3, 1.0);
    return note.freq * std::pow(2.0, semis / 12.0);
}

// Drum-like voices ignore the note's pitch.
double DrumSample(Wave wave, double t, Random& noise, double& phase, LowPass& lp) {
    if (wave == Wave::Kick) {
        double freq = 45.0 + 115.0 * std::exp(-t * 28.0);
        phase += freq / kRate;
        return std::sin(2 * kPi * phase) * std::exp(-t * 7.0);
    }
    if (wave == Wave::Snare) {
        phase += 185.0 / kRate;
        double tone = std::sin(2 * kPi * phase) * std::exp(-t * 30.0);
        double hiss = noise.Next();
        double low = lp.Run(hiss, 3000, 0.1);
        return 0.5 * tone + 0.7 * (hiss - 0.6 * low) * std::exp(-t * 18.0);
    }
    if (wave == Wave::Hat) {
        double hiss = noise.Next();
        return (hiss - lp.Run(hiss, 6000, 0.0)) * std::exp(-t * 55.0);
    }
    // thud: a low falling body with a dull noise knock
    double freq = 38.0 + 70.0 * std::exp(-t * 14.0);
    phase += freq / kRate;
    double body = std::sin(2 * kPi * phase) + 0.35 * std::sin(6 * kPi * phase);
    double knock = lp.Run(noise.Next(), 900, 0.2) * std::exp(-t * 25.0);
    return (body * std::exp(-t * 6.0) + 1.5 * knock);
}

bool IsDrum(Wave wave) {
    return wave == Wave::Kick || wave == Wave::Snare || wave == Wave::Hat || wave == Wave::Thud;
}

// Adds one note to the dry and echo-send buses (interleaved stereo).
void RenderNote(const Note& note, std::vector<double>& dry, std::vector<double>& send) {
    const Instrument& ins = *note.instrument;
    double held = note.length * ins.gate;
    size_t first = static_cast<size_t>(std::llround(note.start * kRate));
    size_t count = static_cast<size_t>((held + ins.release) * kRate) + 1;
    double angle = (std::min(std::max(ins.pan, -1.0), 1.0) + 1.0) * kPi / 4.0;
    double left = std::cos(angle), right = std::sin(angle);
    Oscillator a, b;
    b.phase = 0.25;
    LowPass filterL, filterR;
    Random noise(note.seed);
    double drumPhase = 0;
    std::vector<double> pluck;
    size_t pluckPos = 0;
    if (ins.wave == Wave::Pluck) {
        pluck.resize(std::max<size_t>(2, static_cast<size_t>(kRate / note.freq)));
        for (double& s : pluck) s = noise.Next();
    }
    for (size_t i = 0; i < count; ++i) {
        size_t at = first + i;
        if (2 * at + 1 >= dry.size()) break;
        double t = static_cast<double>(i) / kRate;
        double env = Envelope(ins, t, held);
        double l, r;
        if (IsDrum(ins.wave)) {
            l = r = DrumSample(ins.wave, t, noise, drumPhase, filterL) * std::min(t / 0.002, 1.0) *
                    (t < held + ins.release ? 1.0 : 0.0) * std::min(1.0, (held + ins.release - t) / 0.01);
        } else if (ins.wave == Wave::Pluck) {
            double next = pluck[(pluckPos + 1) % pluck.size()];
            double s = pluck[pluckPos];
            pluck[pluckPos] = 0.5 * (s + next) * 0.996;
            pluckPos = (pluckPos + 1) % pluck.size();
            l = r = s * env;
        } else if (ins.wave == Wave::Noise) {
            l = r = noise.Next() * env;
        } else {
            double freq = PitchAt(note, t);
            if (ins.detune != 0) {
                double spread = std::pow(2.0, ins.detune / 2400.0);
                double va = a.Sample(ins.wave, freq / spread, t, ins);
                double vb = b.Sample(ins.wave, freq * spread, t, ins);
                l = (0.7 * va + 0.3 * vb) * env;
                r = (0.3 * va + 0.7 * vb) * env;
            } else {
                l = r = a.Sample(ins.wave, freq, t, ins) * env;
            }
        }
        if (ins.cutoff > 0 && !IsDrum(ins.wave)) {
            double cutoff = ins.cutoff + ins.envCutoff * env;
            l = filterL.Run(l, cutoff, ins.resonance);
            r = filterR.Run(r, cutoff, ins.resonance);
        }
        double gain = ins.gain * note.velocity;
        dry[2 * at] += l * gain * left;
        dry[2 * at + 1] += r * gain * right;
        send[2 * at] += l * gain * left * ins.echo;
        send[2 * at + 1] += r * gain * right * ins.echo;
    }
}

// A ping-pong echo; on a loop the delay lines run round the loop several
// times first, so the echoes of the last bars sound over the first ones.
std::vector<double> Echo(const Score& score, const std::vector<double>& send, size_t frames) {
    std::vector<double> wet(send.size(), 0.0);
    if (score.echoLevel <= 0) return wet;
    size_t delay = std::max<size_t>(1, static_cast<size_t>(score.echoTime * kRate));
    std::vector<double> lineL(delay, 0.0), lineR(delay, 0.0);
    size_t pos = 0;
    int passes = score.loop ? 6 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (size_t i = 0; i < frames; ++i) {
            double outL = lineL[pos], outR = lineR[pos];
            lineL[pos] = send[2 * i] + outR * score.echoFeedback;
            lineR[pos] = send[2 * i + 1] + outL * score.echoFeedback;
            pos = (pos + 1) % delay;
            if (pass == passes - 1) {
                wet[2 * i] = outL * score.echoLevel;
                wet[2 * i + 1] = outR * score.echoLevel;
            }
        }
    }
    return wet;
}

std::vector<int16_t> Render(const Score& score) {
    size_t frames = static_cast<size_t>(std::llround(score.loopSeconds() * kRate));
    double tail = 0;
    for (const auto& entry : score.instruments) tail = std::max(tail, entry.second.release);
    size_t timeline = frames + static_cast<size_t>((tail + 1.0) * kRate);
    std::vector<double> dry(2 * timeline, 0.0), send(2 * timeline, 0.0);
    for (const Note& note : score.notes) RenderNote(note, dry, send);

    std::vector<double> mixDry(2 * frames, 0.0), mixSend(2 * frames, 0.0);
    for (size_t i = 0; i < timeline; ++i) {
        if (!score.loop && i >= frames) break;
        size_t at = score.loop ? i % frames : i;
        for (int c = 0; c < 2; ++c) {
            mixDry[2 * at + c] += dry[2 * i + c];
            mixSend[2 * at + c] += send[2 * i + c];
        }
    }
    std::vector<double> wet = Echo(score, mixSend, frames);
    double peak = 1e-9;
    for (size_t i = 0; i < mixDry.size(); ++i) {
        mixDry[i] += wet[i];
        peak = std::max(peak, std::fabs(mixDry[i]));
    }
    if (!score.loop) {   // a one-shot ends in silence, not mid-wave
        size_t fade = std::min<size_t>(frames, kRate / 100);
        for (size_t i = 0; i < fade; ++i)
            for (int c = 0; c < 2; ++c)
                mixDry[2 * (frames - 1 - i) + c] *= static_cast<double>(i) / fade;
    }
    double scale = score.master * 32767.0 / peak;
    std::vector<int16_t> pcm(mixDry.size());
    for (size_t i = 0; i < mixDry.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::max(-32767.0, std::min(32767.0, mixDry[i] * scale))));
    return pcm;
}

void PutLE(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& pcm) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    PutLE(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);                 // PCM
    PutLE(out, 2, 2);                 // stereo
    PutLE(out, kRate, 4);
    PutLE(out, kRate * 4, 4);
    PutLE(out, 4, 2);
    PutLE(out, 16, 2);
    out.write("data", 4);
    PutLE(out, dataBytes, 4);
    for (int16_t s : pcm) PutLE(out, static_cast<uint16_t>(s), 2);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <score> <out.wav>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", argv[1]);
        return 1;
    }
    try {
        Score score = ParseScore(in);
        if (!WriteWav(argv[2], Render(score))) {
            std::fprintf(stderr, "%s: cannot write\n", argv[2]);
            return 1;
        }
    } catch (const ScoreError& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
