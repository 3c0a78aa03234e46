#!/usr/bin/perl
# Reads MARC records with Perl's MARC::Record family and prints them the way
# yaz-marcdump's line format does («245 10 $a Title $c Author», a blank line
# after each record). With --lint, after each record, MARC::Lint's warnings
# and the two checks that Lint leaves to others, field order and the 008,
# each on a line of its own that starts with "lint: ".
#   read-marc.pl usmarc|xml|marcmaker FILE [--lint]
use strict;
use warnings;
use Encode qw(decode);
use MARC::Batch;
use MARC::File::XML (BinaryEncoding => 'utf8', RecordFormat => 'USMARC');
use MARC::File::MARCMaker;
use MARC::Lint;

my ($format, $file, $lint) = @ARGV;
my %kinds = (usmarc => 'USMARC', xml => 'XML', marcmaker => 'MARCMaker');
die "usage: $0 usmarc|xml|marcmaker FILE [--lint]\n" unless $file && $kinds{$format};
binmode STDOUT, ':encoding(UTF-8)';

# MARCMaker gives bytes; the other readers already give characters.
sub text { my ($s) = @_; return utf8::is_utf8($s) ? $s : decode('UTF-8', $s); }

my $batch = MARC::Batch->new($kinds{$format}, $file);
$batch->strict_off();
my $linter = MARC::Lint->new;
while (my $record = $batch->next) {
  print $record->leader, "\n";
  for my $field ($record->fields) {
    if ($field->is_control_field) {
      print $field->tag, ' ', text($field->data), "\n";
      next;
    }
    print $field->tag, ' ', $field->indicator(1), $field->indicator(2);
    print " \$$_->[0] ", text($_->[1]) for $field->subfields;
    print "\n";
  }
  print "\n";
  next unless $lint;
  print "lint: $_\n" for $batch->warnings;
  $linter->check_record($record);
  print "lint: $_\n" for $linter->warnings;
  my @tags = map { $_->tag } $record->fields;
  for my $i (1 .. $#tags) {
    print "lint: order: $tags[$i] stands after $tags[$i - 1]\n" if $tags[$i] lt $tags[$i - 1];
  }
  my @fixed = $record->field('008');
  if (!@fixed) {
    print "lint: 008: missing\n";
  } elsif (@fixed > 1 || length($fixed[0]->data) != 40) {
    print "lint: 008: not one field of 40 characters\n";
  }
}
