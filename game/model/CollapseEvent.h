#pragma once

#include <cstdint>
#include <string>

// What a move or a frame of the collapse game did, in the order it happened, for the layer
// that shows it. Sections name the configuration of the brick or bonus concerned.
struct CollapseEvent {
    enum class Type {
        // A brick is on the board (id, code, cell, position). `appears`: a combo bonus
        // arriving, which zooms in and plays the section's "sample_appear".
        BrickPlaced,
        // A brick of a removed group starts fading (`order`: its place in the group).
        BrickFades,
        // A brick leaves the board; `award` / `ownParticles` say whether it was scored and
        // whether it shows its own particles (quietly cleared bricks show none).
        BrickRemoved,
        // A bomb's blast took the brick at the cell.
        Blast,
        // Points were scored at the cell.
        Points,
        // A point bonus is on the cell (`section`); `appears` when a move placed it (it zooms
        // in and plays "sample_appear") rather than a load.
        PointBonusPlaced,
        // The point bonus on the cell was collected by the brick `id` ("sample", "particle").
        PointBonusCollected,
        // The point bonus on the cell is gone.
        PointBonusRemoved,
        // The section's "sample" plays (a group or a bomb of that brick kind).
        Sample,
        // Bricks landed at the end of a fall / arrived at the end of a slide.
        Landed,
        Slid,
        // Bricks to go changed; a new level started; a state was loaded (everything changed).
        BricksChanged,
        LevelStarted,
        Loaded,
        // The board came to rest with the level won / with no move left (a levelled game).
        LevelWon,
        GameOver,
    };

    Type type;
    int x = 0;
    int y = 0;
    int id = 0;
    int code = 0;
    int order = 0;
    float px = 0;
    float py = 0;
    bool award = false;
    bool ownParticles = false;
    bool appears = false;
    std::int32_t points = 0;
    // Points into the model's rules, which outlive the events.
    const std::string* section = nullptr;
};
