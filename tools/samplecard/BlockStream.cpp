#include "samplecard/BlockStream.h"

#include "samplecard/ArchiveAssembler.h"
#include "samplecard/FrameMaker.h"

#include <algorithm>

namespace samplecard {

namespace {

constexpr uint16_t firmware_version = 0x0102; // BCD 01.02

class StreamWriter {
public:
    explicit StreamWriter(const StreamPlan& plan)
        : plan_(plan), assembler_(plan.header), frames_(plan.picture, plan.scene_seed),
          sound_period_(std::clamp(plan.sound_layout.period_ms, 10, 2000))
    {
    }

    WrittenArchive write()
    {
        const int64_t duration = static_cast<int64_t>(plan_.frames) * 1000 / plan_.fps;
        const int sound_blocks =
            plan_.sound == nullptr ? 0 : static_cast<int>((duration + sound_period_ - 1) / sound_period_);
        if (sound_blocks > 0) {
            sound_ = plan_.sound->render(*plan_.story, plan_.story_ms,
                                         static_cast<int>(sound_start(sound_blocks - 1) + sound_length(sound_blocks - 1)),
                                         plan_.beep_ms);
        }
        if (!plan_.faults.omit_information_block) {
            information_block();
        }
        int next_sound = 0;
        for (int frame = 0; frame < plan_.frames; ++frame) {
            const int64_t offset = frame_offset_ms(frame, plan_.fps, plan_.seed);
            while (next_sound < sound_blocks && (next_sound + 1) * sound_period_ <= offset) {
                sound_block(next_sound++);
            }
            picture(frame, offset);
        }
        while (next_sound < sound_blocks) {
            sound_block(next_sound++);
        }
        WrittenArchive archive = assembler_.finish(plan_.faults.truncate_to);
        archive.frames = plan_.frames;
        archive.first_ms = plan_.clock->counter(plan_.clock_ms);
        archive.sound = std::move(carried_);
        return archive;
    }

private:
    BlockStamp stamp(int64_t offset, int number) const
    {
        const DriveSample state = plan_.story->at(plan_.story_ms + static_cast<double>(offset));
        BlockStamp s;
        s.group = 0;
        s.number = number;
        s.time = plan_.clock->calendar(plan_.clock_ms + offset);
        s.g1 = state.g1;
        s.g2 = state.g2;
        s.speed_kmh = state.speed_kmh;
        s.counter1 = plan_.pictures_before + static_cast<uint64_t>(std::max(number, 0));
        s.counter2 = plan_.metres_before + static_cast<uint64_t>(state.distance_m);
        // The unit warms up slowly in the sun behind the windscreen.
        s.aux = static_cast<uint16_t>(245 + (plan_.clock->counter(plan_.clock_ms + offset) / 60000) % 150);
        return s;
    }

    WrittenBlock facts(BlockKind kind, int64_t offset, int frame, int number) const
    {
        WrittenBlock block;
        block.kind = kind;
        block.ms = plan_.clock->counter(plan_.clock_ms + offset);
        block.frame = frame;
        block.stamp = stamp(offset, number);
        return block;
    }

    Bytes signed_payload(ModelCode model, size_t body) const
    {
        Bytes payload(16 + body, 0);
        payload[0] = model.high;
        payload[1] = model.low;
        std::copy(std::begin(picture_signature), std::end(picture_signature), payload.begin() + 2);
        return payload;
    }

    void information_block()
    {
        // What the recorder says about itself: picture size and rate, firmware, serial number.
        Bytes payload = signed_payload(plan_.faults.information_model, 48);
        uint8_t* body = payload.data() + 16;
        put_be16(body, static_cast<uint32_t>(plan_.picture.width));
        put_be16(body + 2, static_cast<uint32_t>(plan_.picture.height));
        body[4] = static_cast<uint8_t>(plan_.fps);
        body[5] = static_cast<uint8_t>(plan_.picture.quality);
        body[6] = plan_.header.kind;
        put_be16(body + 8, firmware_version);
        put_bcd(body + 10, 4, 10000000 + plan_.seed % 90000000);
        assembler_.add(facts(BlockKind::information, 0, -1, 0), picture_block_type, payload);
    }

    void foreign_block(int frame, int64_t offset)
    {
        Bytes payload = signed_payload(ModelCode{}, 32);
        Random random(Random::hash(plan_.seed, static_cast<uint64_t>(frame) + 77));
        for (size_t i = 16; i < payload.size(); ++i) {
            payload[i] = static_cast<uint8_t>(random.next());
        }
        assembler_.add(facts(BlockKind::foreign, offset, frame, frame + 1), plan_.faults.foreign_type, payload);
    }

    void picture(int frame, int64_t offset)
    {
        const Faults& faults = plan_.faults;
        if (faults.foreign_blocks_before.count(frame) != 0) {
            foreign_block(frame, offset);
        }
        if (faults.missing_frames.count(frame) != 0) {
            return;
        }
        WrittenBlock block = facts(BlockKind::picture, offset, frame, frame + 1);
        block.stamp.flag = faults.flagged_frames.count(frame) != 0;
        const DriveSample state = plan_.story->at(plan_.story_ms + static_cast<double>(offset));
        Bytes payload = frames_.payload(state, block.stamp.time, frame, ModelCode{});
        if (faults.broken_signatures.count(frame) != 0) {
            break_signature(payload);
            block.broken_signature = true;
        }
        assembler_.add(block, picture_block_type, payload);
        if (faults.duplicate_frames.count(frame) != 0) {
            block.ms += static_cast<uint32_t>(faults.duplicate_delay_ms);
            block.duplicate = true;
            assembler_.add(block, picture_block_type, payload);
        }
    }

    // Where block `index`'s samples start in the sound, and how many it carries.
    int64_t sound_start(int index) const { return int64_t{index} * sound_period_ * sound_rate / 1000; }
    int64_t sound_length(int index) const
    {
        const int samples = plan_.sound_layout.samples;
        return samples < 0 ? sound_start(index + 1) - sound_start(index) : std::min(samples, 60000);
    }

    void sound_block(int index)
    {
        const int64_t offset = int64_t{index} * sound_period_;
        // Stamped like the picture taken at the start of its samples.
        const int number = static_cast<int>(offset * plan_.fps / 1000) + 1;
        WrittenBlock block = facts(BlockKind::sound, offset, index, number);
        block.sound_length = static_cast<uint32_t>(sound_length(index));
        const auto from = sound_.begin() + static_cast<long>(sound_start(index));
        Bytes payload(from, from + static_cast<long>(block.sound_length));
        carried_.insert(carried_.end(), payload.begin(), payload.end());
        payload.resize((payload.size() + 3) / 4 * 4, 0x80); // the recorder pads to whole words
        assembler_.add(block, sound_block_type, payload);
    }

    const StreamPlan& plan_;
    ArchiveAssembler assembler_;
    FrameMaker frames_;
    int64_t sound_period_;
    Bytes sound_;   // the whole sound of the recording
    Bytes carried_; // what the sound blocks carry, in order
};

} // namespace

WrittenArchive write_block_stream(const StreamPlan& plan)
{
    return StreamWriter(plan).write();
}

} // namespace samplecard
