#include "media/WakeupSound.h"

#include <cstddef>

namespace dz {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

// sin(x) from a Taylor polynomial after reducing x to [-pi/2, pi/2], with
// plain arithmetic only: the library's sin may differ in its last bit from
// one C library to the next, and the checked-in file must equal what every
// build makes.
double Sine(double x) {
  x -= kTwoPi * static_cast<double>(static_cast<long long>(x / kTwoPi));
  if (x < 0) x += kTwoPi;
  if (x > kPi) x -= kTwoPi;  // now in [-pi, pi]
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  const double x2 = x * x;
  double term = x, sum = x;
  for (int n = 1; n <= 9; ++n) {
    term *= -x2 / static_cast<double>((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

struct Note {
  double start;      // seconds
  double frequency;  // Hz
  double level;      // of full scale
  double decay;      // seconds for the level to fall to about a third
};

// C6 E6 G6 C7, twice, then the chord: bright enough to cut through a quiet
// room, soft in its attack so that it does not startle.
constexpr double kC6 = 1046.50, kE6 = 1318.51, kG6 = 1567.98, kC7 = 2093.00;
constexpr Note kNotes[] = {
    {0.00, kC6, 0.34, 0.30}, {0.22, kE6, 0.34, 0.30}, {0.44, kG6, 0.34, 0.30}, {0.66, kC7, 0.34, 0.45},
    {1.60, kC6, 0.34, 0.30}, {1.82, kE6, 0.34, 0.30}, {2.04, kG6, 0.34, 0.30}, {2.26, kC7, 0.34, 0.45},
    {3.20, kC6, 0.24, 0.80}, {3.20, kE6, 0.20, 0.80}, {3.20, kG6, 0.20, 0.80}, {3.20, kC7, 0.16, 0.80},
};
constexpr double kLength = 4.8;      // seconds
constexpr double kAttack = 0.006;    // seconds
constexpr double kTail = 0.25;       // the last notes fade to silence over this

// Bell-like partials: the fundamental, the octave, and a faint twelfth.
constexpr double kPartials[][2] = {{1.0, 1.0}, {2.0, 0.28}, {3.0, 0.08}};

void AddNote(const Note& note, std::vector<double>& mix) {
  const std::size_t first = static_cast<std::size_t>(note.start * kWakeupSampleRate);
  // The level falls by a constant factor per sample; kept as a running
  // product so that no library function is needed.
  const double perSample = 1.0 - 1.0 / (note.decay * kWakeupSampleRate);
  double envelope = note.level;
  for (std::size_t i = first; i < mix.size(); ++i) {
    const double t = static_cast<double>(i - first) / kWakeupSampleRate;
    double attack = t < kAttack ? t / kAttack : 1.0;
    double sample = 0;
    for (const auto& partial : kPartials) {
      const double f = note.frequency * partial[0];
      if (f >= kWakeupSampleRate / 2.0) continue;
      sample += partial[1] * Sine(kTwoPi * f * t);
    }
    mix[i] += envelope * attack * sample;
    envelope *= perSample;
    if (envelope < 1e-4) break;
  }
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::int16_t> WakeupSoundSamples() {
  const std::size_t count = static_cast<std::size_t>(kLength * kWakeupSampleRate);
  std::vector<double> mix(count, 0.0);
  for (const Note& note : kNotes) AddNote(note, mix);
  const std::size_t tail = static_cast<std::size_t>(kTail * kWakeupSampleRate);
  for (std::size_t i = 0; i < tail; ++i) mix[count - 1 - i] *= static_cast<double>(i) / tail;

  // Loud and clear, never clipped: the loudest sample at 85% of full scale.
  double peak = 0;
  for (double v : mix) peak = v > peak ? v : (-v > peak ? -v : peak);
  const double gain = peak > 0 ? 0.85 * 32767.0 / peak : 0.0;

  std::vector<std::int16_t> samples(count);
  for (std::size_t i = 0; i < count; ++i) {
    double v = mix[i] * gain;
    if (v > 32767.0) v = 32767.0;
    if (v < -32767.0) v = -32767.0;
    samples[i] = static_cast<std::int16_t>(v < 0 ? v - 0.5 : v + 0.5);
  }
  return samples;
}

std::vector<std::uint8_t> WakeupSoundWav() {
  const std::vector<std::int16_t> samples = WakeupSoundSamples();
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLittleEndian(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittleEndian(out, 16, 4);                    // format chunk size
  PutLittleEndian(out, 1, 2);                     // PCM
  PutLittleEndian(out, 1, 2);                     // mono
  PutLittleEndian(out, kWakeupSampleRate, 4);
  PutLittleEndian(out, kWakeupSampleRate * 2, 4); // bytes per second
  PutLittleEndian(out, 2, 2);                     // block align
  PutLittleEndian(out, 16, 2);                    // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLittleEndian(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLittleEndian(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace dz
