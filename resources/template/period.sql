-- The template database: every table of the diary, every settings row and
-- both catalogues. The build turns this into period.db; the program copies
-- that file on first use and never creates a table itself.
PRAGMA journal_mode = DELETE;
BEGIN TRANSACTION;

CREATE TABLE dates (id INTEGER PRIMARY KEY, date INTEGER NOT NULL, hasData INTEGER DEFAULT 0);
CREATE TABLE periods (id INTEGER PRIMARY KEY, startDate INTEGER NOT NULL, endDate INTEGER NOT NULL DEFAULT 0);
CREATE TABLE note (dateId INTEGER NOT NULL, noteText TEXT NOT NULL DEFAULT '', editTime REAL NOT NULL DEFAULT 0);
CREATE TABLE intimate (dateId INTEGER NOT NULL, isIntimate INTEGER NOT NULL DEFAULT 0);
CREATE TABLE weights (weight REAL NOT NULL DEFAULT 0, dateId INTEGER NOT NULL);
CREATE TABLE temperatures (temperature REAL NOT NULL DEFAULT 0, dateId INTEGER NOT NULL);
CREATE TABLE moods (id INTEGER PRIMARY KEY, moodName TEXT NOT NULL, imgName TEXT NOT NULL);
CREATE TABLE symptoms (id INTEGER PRIMARY KEY, symptomName TEXT NOT NULL, imgName TEXT NOT NULL);
CREATE TABLE usedMoods (dateId INTEGER NOT NULL, moodId INTEGER NOT NULL);
CREATE TABLE usedSymptoms (dateId INTEGER NOT NULL, symptomId INTEGER NOT NULL);
CREATE TABLE settings (name TEXT NOT NULL, value);
CREATE TABLE syncEntry (id INTEGER PRIMARY KEY, entryKind INTEGER, entryDate INTEGER, entryUrl TEXT);

-- One day has one row, and one companion row of each kind, even when two
-- processes open the same day at the same moment: the second insert fails.
CREATE UNIQUE INDEX datesByDate ON dates (date);
CREATE UNIQUE INDEX noteByDate ON note (dateId);
CREATE UNIQUE INDEX intimateByDate ON intimate (dateId);
CREATE UNIQUE INDEX weightsByDate ON weights (dateId);
CREATE UNIQUE INDEX temperaturesByDate ON temperatures (dateId);
CREATE UNIQUE INDEX usedMoodsByDate ON usedMoods (dateId, moodId);
CREATE UNIQUE INDEX usedSymptomsByDate ON usedSymptoms (dateId, symptomId);
CREATE INDEX periodsByStart ON periods (startDate);
CREATE UNIQUE INDEX settingsByName ON settings (name);

INSERT INTO settings (name, value) VALUES
  ('APP_PASSWORD', ''),
  ('GOOGLE_USERNAME', ''),
  ('GOOGLE_PASS', ''),
  ('FIRST_TIME_ON', 1),
  ('FIRST_TIME_SYNC', 1),
  ('SI_UNITS', 1),
  ('PREGNANT', 0),
  ('PREGNANT_START_DATE', 0),
  ('PERIOD_NOTIFICATION', 2),
  ('FERTILE_NOTIFICATION', 0),
  ('OVULATION_DAY', 14),
  ('PERIOD_LENGTH', 5),
  ('CYCLE_LENGTH', 28),
  ('IS_START_DATE', 1),
  ('SKIN', 0),
  ('AGE', 0),
  ('APP_VERSION', 130);

-- Moods in display order. The name is the stem of the key "<name> Key" and
-- of the icon "<name>.png"; imgName is the mood's bar in the charts.
INSERT INTO moods (id, moodName, imgName) VALUES
  (1, 'Happy', 'bar_happy.png'),
  (2, 'Calm', 'bar_calm.png'),
  (3, 'Energetic', 'bar_energetic.png'),
  (4, 'Loving', 'bar_loving.png'),
  (5, 'Confident', 'bar_confident.png'),
  (6, 'Playful', 'bar_playful.png'),
  (7, 'Focused', 'bar_focused.png'),
  (8, 'Tired', 'bar_tired.png'),
  (9, 'Sensitive', 'bar_sensitive.png'),
  (10, 'Moody', 'bar_moody.png'),
  (11, 'Sad', 'bar_sad.png'),
  (12, 'Anxious', 'bar_anxious.png'),
  (13, 'Stressed', 'bar_stressed.png'),
  (14, 'Irritable', 'bar_irritable.png'),
  (15, 'Angry', 'bar_angry.png'),
  (16, 'Lonely', 'bar_lonely.png'),
  (17, 'Bored', 'bar_bored.png'),
  (18, 'Confused', 'bar_confused.png');

-- Symptoms, three rows each: intensity 1, 2, 3. The stem (the name without
-- its last four characters) makes the key "<stem> Key"; the full name makes
-- the icon "<name>.png"; imgName is the tower of that intensity.
INSERT INTO symptoms (id, symptomName, imgName) VALUES
  (1, 'Cramps_lv1', 'tower_low.png'), (2, 'Cramps_lv2', 'tower_medium.png'), (3, 'Cramps_lv3', 'tower_high.png'),
  (4, 'Headache_lv1', 'tower_low.png'), (5, 'Headache_lv2', 'tower_medium.png'), (6, 'Headache_lv3', 'tower_high.png'),
  (7, 'Backache_lv1', 'tower_low.png'), (8, 'Backache_lv2', 'tower_medium.png'), (9, 'Backache_lv3', 'tower_high.png'),
  (10, 'TenderBreasts_lv1', 'tower_low.png'), (11, 'TenderBreasts_lv2', 'tower_medium.png'), (12, 'TenderBreasts_lv3', 'tower_high.png'),
  (13, 'Acne_lv1', 'tower_low.png'), (14, 'Acne_lv2', 'tower_medium.png'), (15, 'Acne_lv3', 'tower_high.png'),
  (16, 'Nausea_lv1', 'tower_low.png'), (17, 'Nausea_lv2', 'tower_medium.png'), (18, 'Nausea_lv3', 'tower_high.png'),
  (19, 'Dizziness_lv1', 'tower_low.png'), (20, 'Dizziness_lv2', 'tower_medium.png'), (21, 'Dizziness_lv3', 'tower_high.png'),
  (22, 'Fatigue_lv1', 'tower_low.png'), (23, 'Fatigue_lv2', 'tower_medium.png'), (24, 'Fatigue_lv3', 'tower_high.png'),
  (25, 'Insomnia_lv1', 'tower_low.png'), (26, 'Insomnia_lv2', 'tower_medium.png'), (27, 'Insomnia_lv3', 'tower_high.png'),
  (28, 'Cravings_lv1', 'tower_low.png'), (29, 'Cravings_lv2', 'tower_medium.png'), (30, 'Cravings_lv3', 'tower_high.png'),
  (31, 'Diarrhea_lv1', 'tower_low.png'), (32, 'Diarrhea_lv2', 'tower_medium.png'), (33, 'Diarrhea_lv3', 'tower_high.png'),
  (34, 'Constipation_lv1', 'tower_low.png'), (35, 'Constipation_lv2', 'tower_medium.png'), (36, 'Constipation_lv3', 'tower_high.png'),
  (37, 'HotFlashes_lv1', 'tower_low.png'), (38, 'HotFlashes_lv2', 'tower_medium.png'), (39, 'HotFlashes_lv3', 'tower_high.png'),
  (40, 'Spotting_lv1', 'tower_low.png'), (41, 'Spotting_lv2', 'tower_medium.png'), (42, 'Spotting_lv3', 'tower_high.png'),
  (43, 'Bloating_lv1', 'tower_low.png'), (44, 'Bloating_lv2', 'tower_medium.png'), (45, 'Bloating_lv3', 'tower_high.png'),
  (46, 'JointPain_lv1', 'tower_low.png'), (47, 'JointPain_lv2', 'tower_medium.png'), (48, 'JointPain_lv3', 'tower_high.png');

COMMIT;
