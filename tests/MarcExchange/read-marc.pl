#!/usr/bin/perl
# Reads MARC records with Perl's MARC::Record family and prints them the way
# yaz-marcdump's line format does («245 10 $a Title $c Author», a blank line
# after each record). With --lint, after each record, MARC::Lint's warnings
# and the two checks that Lint leaves to others, field order and the 008,
# each on a line of its own that starts with "lint: ".
#   read-marc.pl usmarc|xml|marcmaker FILE [--lint]
# With "write", writes records made with MARC::Record instead: in UTF-8
# (leader/09 'a') or in MARC-8 (leader/09 blank, the text turned into MARC-8
# by MARC::Charset), as ISO 2709 or MARCXML.
#   read-marc.pl write usmarc|xml utf8|marc8 FILE
use strict;
use warnings;
use Encode qw(decode);
use MARC::Batch;
use MARC::File::XML (BinaryEncoding => 'utf8', RecordFormat => 'USMARC');
use MARC::File::MARCMaker;
use MARC::Lint;

if (@ARGV && $ARGV[0] eq 'write') {
  write_records(@ARGV[1 .. 3]);
  exit 0;
}

sub write_records {
  my ($format, $coding, $file) = @_;
  require MARC::Charset;
  my @records = (
    [['001', 'VN-1'], ['008', '190315s2019    vm a          000 0 vie d'],
     ['100', '1', ' ', a => "T\x{f4} Ho\x{e0}i"],
     ['245', '1', '0', a => "M\x{e8}n \x{111}\x{1a1}n {x} \$5 & <", c => 'T'],
     ['650', ' ', '7', a => "V\x{103}n", x => '']],
    [['001', 'VN-2'], ['245', '0', '0', a => 'Plain title']],
  );
  open(my $out, '>:raw', $file) or die "$file: $!\n";
  # MARC::File::XML gives characters (MARC-8 turned into them), USMARC bytes.
  binmode $out, ':encoding(UTF-8)' if $format eq 'xml';
  print $out MARC::File::XML::header() if $format eq 'xml';
  for my $fields (@records) {
    my $record = MARC::Record->new();
    $record->leader($coding eq 'utf8' ? '00000nam a2200000   4500' : '00000nam  2200000   4500');
    for my $field (@$fields) {
      my @f = @$field;
      # ISO 2709 is written as the bytes given; MARCXML takes characters.
      my $text = sub {
        my ($s) = @_;
        return MARC::Charset::utf8_to_marc8($s) if $coding eq 'marc8';
        return $format eq 'xml' ? $s : Encode::encode('UTF-8', $s);
      };
      if (@f == 2) {
        $record->append_fields(MARC::Field->new($f[0], $text->($f[1])));
      } else {
        my ($tag, $i1, $i2, @subfields) = @f;
        for (my $i = 1; $i < @subfields; $i += 2) { $subfields[$i] = $text->($subfields[$i]); }
        $record->append_fields(MARC::Field->new($tag, $i1, $i2, @subfields));
      }
    }
    if ($format eq 'xml') {
      print $out MARC::File::XML::record($record, 'USMARC'), "\n";
    } else {
      print $out $record->as_usmarc();
    }
  }
  print $out MARC::File::XML::footer() if $format eq 'xml';
  close $out;
}

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
